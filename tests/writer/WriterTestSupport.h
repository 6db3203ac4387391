// Model objects, a fixed stamp and the capture of composed text for the writer's tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

#include "model/ClassMember.h"
#include "model/Connection.h"
#include "model/ElemType.h"
#include "model/Error.h"
#include "model/Multiplicity.h"
#include "model/Param.h"
#include "support/TempFile.h"
#include "writer/ChunkLayout.h"
#include "writer/Compose.h"
#include "writer/Stamps.h"

// The stamp of 2014-03-07 09:05 UTC, which every test fixes.
inline constexpr const char* kEpoch = "1394183100";
inline constexpr const char* kStamp = "' stamp: 'Tessaloom 3/7/2014 9:5'!";

// Laid-out text, kept whole.
class StringSink final : public TextSink {
 public:
  void Take(std::string_view piece) override { text.append(piece); }
  std::string text;
};

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("SOURCE_DATE_EPOCH", kEpoch, 1); }
};

// For its lifetime, no file of this process grows beyond the size given: a write past
// it fails with EFBIG ("File too large"), as one on a full disk fails, instead of
// raising SIGXFSZ.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
};

inline PElemTable Table(std::initializer_list<PElement> elements) {
  PElemTable table = NewElemTable();
  for (const PElement& element : elements) table->Add(element);
  return table;
}

inline PElemTable Mult(std::initializer_list<std::pair<const char*, const char*>> ranges) {
  PElemTable table = NewElemTable();
  for (const auto& [lower, upper] : ranges) table->Add(NewMultiplicity(lower, upper));
  return table;
}

inline PClassMember Attr(const std::string& name, const std::string& type,
                         const std::string& visibility = "+", bool isStatic = false,
                         PElemTable multiplicity = NewElemTable(),
                         const std::string& defaultValue = "") {
  return NewMemberVar(isStatic, visibility, name, type, multiplicity, defaultValue);
}

inline PClassMember Op(const std::string& name, PElemTable params = NewElemTable(),
                       const std::string& visibility = "+", bool isStatic = false,
                       bool isAbstract = false) {
  return NewMemberFun(isStatic, isAbstract, visibility, name, "", params);
}

inline PElement Param(const std::string& name, const std::string& type,
                      PElemTable multiplicity = NewElemTable(), const std::string& def = "") {
  return NewParam(name, type, multiplicity, def);
}

// Class boxes in a row, and relations whose end points lie on their borders;
// Connect attaches them as the driver does.
class Diagram {
 public:
  PClassType AddClass(const std::string& name, std::initializer_list<PClassMember> members = {}) {
    PClassType cls = NewClassType();
    cls->SetName(name);
    cls->SetX(1000 * classes->Count());
    cls->SetY(0);
    cls->SetW(100);
    cls->SetH(100);
    for (const PClassMember& member : members) cls->AddMember(member);
    classes->Add(cls);
    return cls;
  }

  // A relation with `from` at its tail and `to` at its head; an empty class
  // leaves that end in empty space. Without heads at one end (direction 0 or
  // 3) the class that comes first in the table becomes the tail.
  PRelType Relate(const PClassType& from, const PClassType& to, int32_t headSize, int32_t direction,
                  char lineStyle = '-', const std::string& label = "") {
    PRelType relation = NewRelType();
    relation->SetX(0);
    relation->SetY(0);
    relation->SetHeadSize(headSize);
    relation->SetDirection(direction);
    relation->SetLineStyle(lineStyle);
    relation->SetName(label);
    bool selfRelation = from && from == to;
    auto [startX, startY] = BorderPoint(direction == 1 ? to : from, false);
    auto [endX, endY] = BorderPoint(direction == 1 ? from : to, selfRelation);
    relation->SetStartX(startX);
    relation->SetStartY(startY);
    relation->SetEndX(endX);
    relation->SetEndY(endY);
    relations->Add(relation);
    return relation;
  }

  void Connect() const { classes->ForEachWithTable(relations, ConnectClass); }

  PElemTable classes = NewElemTable();
  PElemTable relations = NewElemTable();

 private:
  static std::pair<int32_t, int32_t> BorderPoint(const PClassType& cls, bool rightEdge) {
    if (!cls) return {-50000, -50000};
    return {cls->GetX() + (rightEdge ? cls->GetW() : 0), cls->GetY() + 50};
  }
};

// The text that the writing function composes with the composer it is given,
// laid out as the chunk file has it.
template <class Writing>
std::string Captured(Writing writing) {
  std::string text;
  {
    Composer out;
    out.ComposeInto(text);
    writing(out);
  }
  std::string chunk;
  AppendChunkText(chunk, text);
  return chunk;
}

// The message of the error the writing function raises ("no error" when it
// raises none).
template <class Writing>
std::string ErrorOf(Writing writing) {
  std::string message = "no error";
  try {
    writing();
  } catch (const PlimkoError& error) {
    message = error.what();
  }
  return message;
}
