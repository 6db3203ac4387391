// A merged class put into the text of the file it was merged with.
#include "tonel/ClassSplice.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "model/Error.h"
#include "tonel/Lexis.h"
#include "tonel/Ston.h"
#include "tonel/TonelCursor.h"
#include "tonel/TonelLayout.h"

namespace {

constexpr std::string_view kEntrySeparator = ",\n\t";

// The entries that plimko may have to add, in the order that Pharo writes them.
constexpr std::string_view kEntryOrder[] = {"name",     "superclass", "traits",       "classTraits",
                                            "instVars", "classVars",  "classInstVars"};

std::size_t Rank(std::string_view key) {
  const auto* found = std::find(std::begin(kEntryOrder), std::end(kEntryOrder), key);
  return static_cast<std::size_t>(found - std::begin(kEntryOrder));
}

std::string_view Bytes(const ClassFile& file, TextSpan span) {
  return std::string_view(file.text).substr(span.begin, span.end - span.begin);
}

const EntrySpan* FindEntry(const ClassFile& file, std::string_view key) {
  for (const EntrySpan& entry : file.entries)
    if (entry.key == key) return &entry;
  return nullptr;
}

// The spliced text in the file's line ends: the file's own bytes where a part keeps
// them, and the line end that most of its lines have in what the merge writes.
class SplicedText final : public TextSink {
 public:
  explicit SplicedText(const ClassFile& file) : file_(file) {
    text_.reserve(file.text.size() + file.text.size() / 8);
  }

  void Keep(TextSpan span) { file_.lineEnds.AppendAsWas(text_, file_.text, span.begin, span.end); }
  void Add(std::string_view lf) { file_.lineEnds.AppendNew(text_, lf); }
  void Take(std::string_view lf) override { Add(lf); }
  std::string Take() { return std::move(text_); }

 private:
  const ClassFile& file_;
  std::string text_;
};

bool IsPlainSymbol(std::string_view name) {
  return !name.empty() && IdentifierLength(name, 0) == name.size();
}

// "#" and the name, built by appending: g++ 12 wrongly warns (-Wrestrict) about a
// concatenation that starts with a one-character string.
std::string Symbol(std::string_view name) {
  std::string symbol = "#";
  symbol += name;
  return symbol;
}

// A name as a symbol where the file spelled the value it replaces as one, quoted where
// it is no plain symbol; as a string otherwise.
std::string Spelled(std::string_view name, std::string_view like) {
  if (!like.starts_with('#')) return StonString(name);
  return Symbol(IsPlainSymbol(name) ? std::string(name) : StonString(name));
}

// The value of a text entry, unescaped; the tag of a class in Pharo's tag.
std::string TextValue(std::string_view spelling) {
  TonelCursor cursor(spelling);
  try {
    return ReadStonText(cursor);
  } catch (const PlimkoError&) {
    return std::string(spelling);
  }
}

// A variable list laid out as the file laid out the one it replaces: the same text
// after "[", between names and before "]"; Pharo's layout where the file's list cannot
// show it. Names the file has keep their spelling.
std::string ListText(const ClassFile& file, const EntrySpan* entry,
                     const std::vector<std::string>& names) {
  std::string_view head = "\n\t\t", between = ",\n\t\t", tail = "\n\t";
  std::unordered_map<std::string, std::string_view> spelling;
  std::string_view like;
  if (entry != nullptr && !entry->items.empty()) {
    const std::vector<TextSpan>& items = entry->items;
    head = Bytes(file, {entry->value.begin + 1, items.front().begin});
    tail = Bytes(file, {items.back().end, entry->value.end - 1});
    if (items.size() > 1) between = Bytes(file, {items[0].end, items[1].begin});
    like = Bytes(file, items.front());
    for (const TextSpan& item : items) {
      const std::string_view spelled = Bytes(file, item);
      spelling.try_emplace(TextValue(spelled), spelled);
    }
  }
  std::string text = "[";
  text += head;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += between;
    const auto found = spelling.find(names[i]);
    text += found != spelling.end() ? std::string(found->second) : Spelled(names[i], like);
  }
  text += tail;
  text += ']';
  return text;
}

struct Piece {
  const EntrySpan* entry;  // the file's entry it stands for; null for a new one
  std::string_view key;
  std::string text;  // the entry's new value, or a new entry whole; empty: the entry stays
};

using ListField = std::vector<std::string> TonelClass::*;

// The variable list that the key names; null for any other key.
ListField ListOf(std::string_view key) {
  if (key == "instVars") return &TonelClass::instVars;
  if (key == "classVars") return &TonelClass::classVars;
  if (key == "classInstVars") return &TonelClass::classInstVars;
  return nullptr;
}

class DefinitionSplice {
 public:
  DefinitionSplice(const ClassFile& file, const TonelClass& merged, const std::string& package)
      : file_(file), merged_(merged), package_(package) {}

  void AppendTo(SplicedText& out) const;

 private:
  std::string EntryValue(const EntrySpan& entry) const;
  std::string Category() const;
  void AppendSeparator(SplicedText& out, const Piece& before, const Piece& after) const;

  const ClassFile& file_;
  const TonelClass& merged_;
  const std::string& package_;
};

// The package, or the package, "-" and the tag. The tag is #tag's; in a file without it
// (Pharo 11 writes none), the part of #category after the package that the file was
// written for (#package, or else the folder) and "-". A category that shows no tag that
// way, as after a class was moved or a package renamed by hand, stays as the user has it.
std::string DefinitionSplice::Category() const {
  if (const EntrySpan* tag = FindEntry(file_, "tag"); tag != nullptr)
    return package_ + "-" + TextValue(Bytes(file_, tag->value));
  const std::string& category = file_.cls.category;
  const std::string& written =
      FindEntry(file_, "package") != nullptr ? file_.cls.package : package_;
  if (category == written) return package_;
  if (category.size() > written.size() && category.starts_with(written) &&
      category[written.size()] == '-')
    return package_ + category.substr(written.size());
  return category;
}

// The entry's new value; empty when its bytes stay.
std::string DefinitionSplice::EntryValue(const EntrySpan& entry) const {
  const TonelClass& was = file_.cls;
  const std::string_view spelled = Bytes(file_, entry.value);
  std::string value;
  auto text = [&](const std::string& now, const std::string& before) {
    if (now != before) value = Spelled(now, spelled);
  };
  if (entry.key == "name") text(merged_.name, was.name);
  if (entry.key == "superclass") text(merged_.superclass, was.superclass);
  if (entry.key == "category") text(Category(), was.category);
  if (entry.key == "package") text(package_, was.package);
  if (const ListField list = ListOf(entry.key); list != nullptr && merged_.*list != was.*list)
    value = ListText(file_, &entry, merged_.*list);
  return value;
}

// Between two of the file's entries that stay neighbours, the bytes between them; else
// the bytes after the first, before the second, or Pharo's.
void DefinitionSplice::AppendSeparator(SplicedText& out, const Piece& before,
                                       const Piece& after) const {
  const std::vector<EntrySpan>& entries = file_.entries;
  auto index = [&](const EntrySpan* entry) { return entry - entries.data(); };
  if (before.entry != nullptr && index(before.entry) + 1 < static_cast<long>(entries.size())) {
    out.Keep({before.entry->whole.end, (before.entry + 1)->whole.begin});
  } else if (after.entry != nullptr && index(after.entry) > 0) {
    out.Keep({(after.entry - 1)->whole.end, after.entry->whole.begin});
  } else {
    out.Add(kEntrySeparator);
  }
}

void DefinitionSplice::AppendTo(SplicedText& out) const {
  std::vector<Piece> pieces;
  for (const EntrySpan& entry : file_.entries) {
    // An emptied list goes, as Pharo leaves empty lists out.
    const ListField list = ListOf(entry.key);
    if (list != nullptr && (merged_.*list).empty() && !(file_.cls.*list).empty()) continue;
    pieces.push_back({&entry, entry.key, EntryValue(entry)});
  }
  for (const std::string_view key : {"superclass", "instVars", "classVars", "classInstVars"}) {
    const bool there = FindEntry(file_, key) != nullptr;
    const ListField list = ListOf(key);
    if (there || (list != nullptr ? (merged_.*list).empty() : merged_.superclass.empty())) continue;
    // After the last entry that Pharo writes before it.
    std::size_t at = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i)
      if (Rank(pieces[i].key) < Rank(key)) at = i + 1;
    const std::string value =
        list != nullptr ? ListText(file_, nullptr, merged_.*list) : StonString(merged_.superclass);
    pieces.insert(pieces.begin() + static_cast<long>(at),
                  {nullptr, key, Symbol(key) + " : " + value});
  }
  const std::vector<EntrySpan>& entries = file_.entries;
  out.Keep({file_.definition, entries.front().whole.begin});
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) AppendSeparator(out, pieces[i - 1], pieces[i]);
    const Piece& piece = pieces[i];
    if (piece.entry == nullptr) {
      out.Add(piece.text);
    } else if (piece.text.empty()) {
      out.Keep(piece.entry->whole);
    } else {
      out.Keep({piece.entry->whole.begin, piece.entry->value.begin});
      out.Add(piece.text);
    }
  }
  out.Keep({entries.back().whole.end, file_.close + 1});
}

// How the file spells its methods' protocols, for a new method's: as most of them are
// (symbols or strings), or else as its class name.
std::string_view UsualSpelling(const ClassFile& file) {
  long symbols = 0;  // less the strings
  for (const MethodSpan& method : file.methods) {
    const std::string_view spelled = Bytes(file, method.category);
    if (!spelled.empty()) symbols += spelled.starts_with('#') ? 1 : -1;
  }
  if (symbols != 0) return symbols > 0 ? "#" : "'";
  const EntrySpan* name = FindEntry(file, "name");
  return name != nullptr ? Bytes(file, name->value) : "'";
}

// A method that the file does not have, laid out afresh, its protocol spelled like.
void AppendNewMethod(SplicedText& out, const std::string& className, const TonelMethod& method,
                     std::string_view like) {
  out.Add(MethodMetadata(Spelled(method.category, like)));
  LayOutMethod(className, method, out);
}

// A method that the merge changed, in the place of the file's: the file's metadata with
// the protocol spelled as the file spelled it, then the method, laid out afresh where
// the merge changed its text.
void AppendChangedMethod(SplicedText& out, const ClassFile& file, std::size_t index,
                         const TonelMethod& method, const std::string& className,
                         std::string_view like) {
  const MethodSpan& span = file.methods[index];
  const TonelMethod was = file.cls.methods[index];
  if (span.category.begin == span.category.end) {
    AppendNewMethod(out, className, method, like);
    return;
  }
  out.Keep({span.whole.begin, span.category.begin});
  if (method.category == was.category) {
    out.Keep(span.category);
  } else {
    out.Add(Spelled(method.category, Bytes(file, span.category)));
  }
  out.Keep({span.category.end, span.owner});
  if (method.source == was.source) {
    out.Keep({span.owner, span.whole.end});
  } else {
    LayOutMethod(className, method, out);
  }
}

// The methods in the file's order: the file's where the merge kept them, laid out afresh
// where it changed them, and the merge's new ones where Pharo's order puts them.
void AppendMethods(SplicedText& out, const ClassFile& file, const TonelClass& merged) {
  const TonelMethods& was = file.cls.methods;
  // By side, then selector; hashed, as a class may have millions of methods.
  std::unordered_map<std::string_view, std::size_t> places[2];
  for (std::size_t i = 0; i < was.size(); ++i) {
    const TonelMethod method = was[i];
    places[method.classSide].emplace(method.selector, i);
  }
  std::vector<TonelMethod> added;
  std::vector<std::optional<TonelMethod>> kept(was.size());
  for (const TonelMethod& method : merged.methods) {
    const auto found = places[method.classSide].find(method.selector);
    if (found == places[method.classSide].end()) {
      added.push_back(method);
    } else {
      kept[found->second] = method;
    }
  }
  std::sort(added.begin(), added.end(), WrittenBefore);
  const std::vector<MethodSpan>& spans = file.methods;
  const std::size_t end = spans.empty() ? file.text.size() : spans.front().whole.begin;
  std::string_view gap = "\n\n";
  if (spans.size() > 1) gap = Bytes(file, {spans[0].whole.end, spans[1].whole.begin});
  const std::string_view like = UsualSpelling(file);
  bool first = true;
  std::size_t lastKept = was.size();  // the file's method written last
  // The index is the file's method's, or was.size() for a new one.
  auto put = [&](std::size_t index, const TonelMethod& method) {
    if (first) {
      if (spans.empty()) {
        out.Add("\n\n");
      } else {
        out.Keep({file.close + 1, end});
      }
      first = false;
    } else if (index < was.size() && lastKept + 1 == index) {
      out.Keep({spans[lastKept].whole.end, spans[index].whole.begin});
    } else {
      out.Add(gap);
    }
    if (index == was.size()) {
      AppendNewMethod(out, merged.name, method, like);
    } else if (method == was[index]) {
      out.Keep(spans[index].whole);
    } else {
      AppendChangedMethod(out, file, index, method, merged.name, like);
    }
    lastKept = index;
  };
  auto next = added.begin();
  for (std::size_t i = 0; i < was.size(); ++i) {
    for (; next != added.end() && WrittenBefore(*next, was[i]); ++next) put(was.size(), *next);
    if (kept[i]) put(i, *kept[i]);
  }
  for (; next != added.end(); ++next) put(was.size(), *next);
  if (first == spans.empty()) {
    // Nothing written after a file without methods, or something after one with them.
    out.Keep({spans.empty() ? file.close + 1 : spans.back().whole.end, file.text.size()});
  } else {
    out.Add("\n");
  }
}

}  // namespace

std::string SplicedClassText(const ClassFile& file, const TonelClass& merged,
                             const std::string& package) {
  SplicedText out(file);
  out.Keep({0, file.comment.begin});
  if (merged.comment == file.cls.comment) {
    out.Keep({file.comment.begin, file.definition});
  } else {
    out.Add(TonelComment(merged.comment));
  }
  DefinitionSplice(file, merged, package).AppendTo(out);
  AppendMethods(out, file, merged);
  return out.Take();
}
