// The output file: its creation, header, notes, class order and footer.
#include "writer/FileWriter.h"

#include "model/Charset.h"
#include "writer/AtomicFile.h"
#include "writer/ChunkLayout.h"
#include "writer/ClassOrder.h"
#include "writer/ClassWriter.h"
#include "writer/Hierarchy.h"
#include "writer/Naming.h"
#include "writer/Notes.h"
#include "writer/Output.h"

void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const std::string& category, const PElemTable& classes,
                     const PElemTable& relations, const PElemTable& others) {
  AtomicFile file;
  WriteImportFile(outputDir, baseName, category, classes, relations, others, file);
}

void WriteImportFile(const std::string& outputDir, const std::string& baseName,
                     const std::string& category, const PElemTable& classes,
                     const PElemTable& relations, const PElemTable& others, OutputTarget& target) {
  std::string fileName = outputDir + baseName + ".st";
  OutFile out(target);
  out.Create(fileName);

  std::string text;
  AppendChunkText(text, "\"This is " + WellFormedUtf8(fileName) +
                            " import file generated from umlet by plimko utility.\"\n"
                            "\"Usage: drag this file with mouse and drop it into the Pharo "
                            "window.\"\n\n");
  AppendChunkText(text, ComposeNotes(relations, others));
  text += "\r\n";
  out.Take(text);
  ChunkLayout layout(out, category);
  const Hierarchy hierarchy(classes);
  ClassWriter writer(hierarchy);
  // Run once every class exists, so that an initial value may name any of them.
  std::string initializations;
  for (const PElement& cls : ClassOrder(hierarchy)) {
    if (writer.WriteClass(cls, layout))
      initializations += StClassName(ToClassType(cls)) + " initialize!\r\n";
  }
  layout.Flush();
  initializations += "\r\n\"end of import file\"\r\n";
  out.Take(initializations);
  out.Close();
}
