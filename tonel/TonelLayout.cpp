// The Tonel layout: a class file's text as Pharo's Tonel writer lays it out.
#include "tonel/TonelLayout.h"

#include <algorithm>
#include <numeric>

#include "tonel/Pattern.h"

namespace {

// Around a method's protocol, before the method.
constexpr std::string_view kMetadataOpen = "{ #category : ";
constexpr std::string_view kMetadataClose = " }\n";

// The text in blocks: a class may be many megabytes, and is never held whole.
constexpr std::size_t kBlock = 1 << 16;

class Blocks {
 public:
  explicit Blocks(TextSink& sink) : sink_(sink) {}
  Blocks(const Blocks&) = delete;
  Blocks& operator=(const Blocks&) = delete;
  ~Blocks() = default;

  // Inline, since a class is laid out in many small pieces; the rare full block
  // is handed on out of line.
  Blocks& operator<<(std::string_view text) {
    if (block_.size() + text.size() > kBlock) {
      HandOn(text);
    } else {
      block_ += text;
    }
    return *this;
  }
  void Flush() {
    if (!block_.empty()) sink_.Take(block_);
    block_.clear();
  }

 private:
  // The block goes to the sink; the text starts the next one, or goes as it is when
  // it is as large as a block.
  void HandOn(std::string_view text);

  TextSink& sink_;
  std::string block_;
};

void Blocks::HandOn(std::string_view text) {
  Flush();
  if (text.size() >= kBlock) {
    sink_.Take(text);
  } else {
    block_ += text;
  }
}

// Every entry but the first starts with the comma that ends the one before it.
class Definition {
 public:
  explicit Definition(Blocks& out) : out_(out) {}

  Blocks& Key(std::string_view key) {
    out_ << (first_ ? "\t#" : ",\n\t#") << key << " : ";
    first_ = false;
    return out_;
  }
  void Entry(std::string_view key, std::string_view value) { Key(key) << value; }
  void List(std::string_view key, const std::vector<std::string>& names) {
    if (names.empty()) return;
    Key(key) << "[\n";
    for (std::size_t i = 0; i < names.size(); ++i)
      out_ << "\t\t" << StonString(names[i]) << (i + 1 < names.size() ? ",\n" : "\n");
    out_ << "\t]";
  }

 private:
  Blocks& out_;
  bool first_ = true;
};

void AddDefinition(Blocks& out, const TonelClass& cls) {
  out << cls.kind << " {\n";
  Definition definition(out);
  definition.Entry("name", StonString(cls.name));
  definition.Entry("superclass", StonString(cls.superclass));
  definition.List("instVars", cls.instVars);
  definition.List("classVars", cls.classVars);
  definition.List("classInstVars", cls.classInstVars);
  for (const auto& [key, value] : cls.otherEntries) definition.Entry(key, value);
  definition.Entry("category", StonString(cls.category));
  definition.Entry("package", StonString(cls.package));
  out << "\n}\n";
}

// The pattern stands before " [", and the rest of the method's text after it,
// as Pharo's reader joins them again.
void AddMethodAfterMetadata(Blocks& out, const std::string& className, const TonelMethod& method) {
  const std::string_view source = method.source;
  const std::size_t patternLength = SplitPattern(source).length;
  out << className << (method.classSide ? " class >> " : " >> ") << source.substr(0, patternLength)
      << " [" << source.substr(patternLength) << "\n]";
}

void AddMethod(Blocks& out, const std::string& className, const TonelMethod& method) {
  out << kMetadataOpen << StonString(method.category) << kMetadataClose;
  AddMethodAfterMetadata(out, className, method);
}

}  // namespace

std::string MethodMetadata(std::string_view category) {
  std::string metadata(kMetadataOpen);
  metadata += category;
  metadata += kMetadataClose;
  return metadata;
}

void LayOutMethod(const std::string& className, const TonelMethod& method, TextSink& sink) {
  Blocks blocks(sink);
  AddMethodAfterMetadata(blocks, className, method);
  blocks.Flush();
}

bool WrittenBefore(const TonelMethod& a, const TonelMethod& b) {
  if (a.classSide != b.classSide) return a.classSide;
  return a.selector < b.selector;
}

// A carriage return is escaped too: the reader takes a bare one for a line end.
std::string StonString(std::string_view text) {
  std::string ston = "'";
  for (char c : text) {
    if (c == '\r') {
      ston += "\\r";
      continue;
    }
    if (c == '\\' || c == '\'') ston += '\\';
    ston += c;
  }
  ston += '\'';
  return ston;
}

void CommentLayout::Take(std::string_view text) {
  if (text.empty()) return;
  if (!started_) block_ += "\"\n";
  started_ = true;
  for (std::size_t at = 0; at < text.size(); at += kBlock) {
    std::string_view slice = text.substr(at, kBlock);
    for (std::size_t quote = slice.find('"'); quote != std::string_view::npos;
         quote = slice.find('"')) {
      block_.append(slice.substr(0, quote + 1)) += '"';
      slice.remove_prefix(quote + 1);
    }
    block_ += slice;
    if (block_.size() >= kBlock) Flush();
  }
}

void CommentLayout::End() {
  if (started_) block_ += "\n\"\n";
  Flush();
}

void CommentLayout::Flush() {
  if (!block_.empty()) sink_.Take(block_);
  block_.clear();
}

std::string TonelComment(std::string_view comment) {
  std::string text;
  AppendingToString sink(&text);
  CommentLayout layout(sink);
  layout.Take(comment);
  layout.End();
  return text;
}

void LayOutClass(const TonelClass& cls, TextSink& sink) {
  CommentLayout comment(sink);
  comment.Take(cls.comment);
  comment.End();
  LayOutAfterComment(cls, sink);
}

void LayOutAfterComment(const TonelClass& cls, TextSink& sink) {
  Blocks out(sink);
  AddDefinition(out, cls);
  std::vector<std::size_t> order(cls.methods.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&cls](std::size_t a, std::size_t b) {
    return WrittenBefore(cls.methods[a], cls.methods[b]);
  });
  for (const std::size_t index : order) {
    out << "\n";
    AddMethod(out, cls.name, cls.methods[index]);
    out << "\n";
  }
  out.Flush();
}

std::string TonelClassText(const TonelClass& cls) {
  std::string text;
  AppendingToString sink(&text);
  LayOutClass(cls, sink);
  return text;
}
