// A merged class put into the text of the file it was merged with.
#include "tonel/ClassSplice.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <unordered_map>

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

// A name as a symbol where the file spelled the value it replaces as one (Pharo 12
// does), as a string otherwise.
std::string Spelled(std::string_view name, std::string_view like) {
  if (like.starts_with('#') && IsPlainSymbol(name)) return Symbol(name);
  return StonString(name);
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
  std::string text;  // empty: the entry's bytes as they are
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

  std::string Text() const;

 private:
  std::string EntryText(const EntrySpan& entry) const;
  std::string Category() const;
  std::string Separator(const Piece& before, const Piece& after) const;

  const ClassFile& file_;
  const TonelClass& merged_;
  const std::string& package_;
};

std::string DefinitionSplice::Category() const {
  for (const EntrySpan& entry : file_.entries) {
    if (entry.key == "tag") return package_ + "-" + TextValue(Bytes(file_, entry.value));
  }
  return package_;
}

// The entry's new text; empty when its bytes stay.
std::string DefinitionSplice::EntryText(const EntrySpan& entry) const {
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
  if (value.empty()) return value;
  return std::string(Bytes(file_, {entry.whole.begin, entry.value.begin})) + value;
}

// Between two of the file's entries that stay neighbours, the bytes between them; else
// the bytes after the first, before the second, or Pharo's.
std::string DefinitionSplice::Separator(const Piece& before, const Piece& after) const {
  const std::vector<EntrySpan>& entries = file_.entries;
  auto index = [&](const EntrySpan* entry) { return entry - entries.data(); };
  if (before.entry != nullptr && index(before.entry) + 1 < static_cast<long>(entries.size()))
    return std::string(Bytes(file_, {before.entry->whole.end, (before.entry + 1)->whole.begin}));
  if (after.entry != nullptr && index(after.entry) > 0)
    return std::string(Bytes(file_, {(after.entry - 1)->whole.end, after.entry->whole.begin}));
  return std::string(kEntrySeparator);
}

std::string DefinitionSplice::Text() const {
  std::vector<Piece> pieces;
  for (const EntrySpan& entry : file_.entries) {
    // An emptied list goes, as Pharo leaves empty lists out.
    const ListField list = ListOf(entry.key);
    if (list != nullptr && (merged_.*list).empty() && !(file_.cls.*list).empty()) continue;
    pieces.push_back({&entry, entry.key, EntryText(entry)});
  }
  for (const std::string_view key : {"superclass", "instVars", "classVars", "classInstVars"}) {
    const bool there = std::any_of(file_.entries.begin(), file_.entries.end(),
                                   [&](const EntrySpan& entry) { return entry.key == key; });
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
  std::string out(Bytes(file_, {file_.definition, file_.open}));
  const std::vector<EntrySpan>& entries = file_.entries;
  out += Bytes(file_, {file_.open, entries.front().whole.begin});
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += Separator(pieces[i - 1], pieces[i]);
    const Piece& piece = pieces[i];
    out += piece.text.empty() ? Bytes(file_, piece.entry->whole) : std::string_view(piece.text);
  }
  out += Bytes(file_, {entries.back().whole.end, file_.close + 1});
  return out;
}

// The methods in the file's order: the file's where the merge kept them, laid out afresh
// where it changed them, and the merge's new ones where Pharo's order puts them.
void AppendMethods(std::string& out, const ClassFile& file, const TonelClass& merged) {
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
  const std::size_t end = file.methods.empty() ? file.text.size() : file.methods.front().begin;
  std::string_view gap = "\n\n";
  if (file.methods.size() > 1) gap = Bytes(file, {file.methods[0].end, file.methods[1].begin});
  bool first = true;
  std::size_t lastKept = was.size();  // the file's method written last
  auto put = [&](std::size_t index, const TonelMethod& method) {
    if (first) {
      out += file.methods.empty() ? std::string_view("\n\n") : Bytes(file, {file.close + 1, end});
      first = false;
    } else if (index < was.size() && lastKept + 1 == index) {
      out += Bytes(file, {file.methods[lastKept].end, file.methods[index].begin});
    } else {
      out += gap;
    }
    if (index < was.size() && method == was[index]) {
      out += Bytes(file, file.methods[index]);
    } else {
      AppendMethodText(out, merged.name, method);
    }
    lastKept = index < was.size() ? index : was.size();
  };
  auto next = added.begin();
  for (std::size_t i = 0; i < was.size(); ++i) {
    for (; next != added.end() && WrittenBefore(*next, was[i]); ++next) put(was.size(), *next);
    if (kept[i]) put(i, *kept[i]);
  }
  for (; next != added.end(); ++next) put(was.size(), *next);
  if (first) {
    out += file.methods.empty() ? Bytes(file, {file.close + 1, file.text.size()})
                                : std::string_view("\n");
  } else {
    out += file.methods.empty() ? std::string_view("\n")
                                : Bytes(file, {file.methods.back().end, file.text.size()});
  }
}

}  // namespace

std::string SplicedClassText(const ClassFile& file, const TonelClass& merged,
                             const std::string& package) {
  std::string out;
  out.reserve(file.text.size() + file.text.size() / 8);
  out += Bytes(file, {0, file.comment.begin});
  if (merged.comment == file.cls.comment) {
    out += Bytes(file, {file.comment.begin, file.definition});
  } else {
    out += TonelComment(merged.comment);
  }
  out += DefinitionSplice(file, merged, package).Text();
  AppendMethods(out, file, merged);
  return out;
}
