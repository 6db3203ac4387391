// The three-way merge of a class file: what plimko wrote last, what the file holds now,
// and what the diagram gives today.
#include "tonel/TonelMerge.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <utility>

#include "model/Error.h"
#include "tonel/KeyedMerge.h"
#include "tonel/Lexis.h"
#include "tonel/Pattern.h"
#include "tonel/ReadBack.h"
#include "tonel/Tokens.h"
#include "tonel/VariableMerge.h"

namespace {

// Views into the class's buffer, as each method is.
using MethodKey = std::pair<bool, std::string_view>;
using Methods = std::map<MethodKey, TonelMethod>;

Methods ByKey(const TonelClass* cls) {
  Methods methods;
  if (cls == nullptr) return methods;
  for (const TonelMethod& method : cls->methods)
    methods[{method.classSide, method.selector}] = method;
  return methods;
}

const TonelMethod* Find(const Methods& methods, const MethodKey& key) {
  auto found = methods.find(key);
  return found == methods.end() ? nullptr : &found->second;
}

// Pharo's formatter re-lays out a method without making it the user's.
bool Same(const TonelMethod* a, const TonelMethod* b) {
  return a != nullptr && b != nullptr && a->category == b->category &&
         SameTokens(a->source, b->source);
}

// The diagram's changes to the variables' statements of initialize reach the user's text,
// as long as what the merge gives is still a method of the same selector that a class file
// can hold: lines of two texts may join into one that leaves a string or a comment open.
std::optional<KeyedMerge> MergedByVariables(const TonelMethod& was, const TonelMethod& now,
                                            const TonelMethod& wanted) {
  KeyedMerge merged = MergeKeyed(was.source, now.source, wanted.source, TextKind::Method);
  TonelMethod method = now;
  method.source = merged.text;
  if (!MethodReadsBack(method)) return std::nullopt;
  return merged;
}

// The user's method with the merged source, in the diagram's protocol unless the user
// changed it.
TonelMethod WithLines(const TonelMethod& was, const TonelMethod& now, const TonelMethod& wanted,
                      std::string_view source) {
  TonelMethod merged = now;
  merged.source = source;
  if (now.category == was.category) merged.category = wanted.category;
  return merged;
}

class Merger {
 public:
  Merger(const TonelClass* base, const TonelClass& current, const TonelClass& next,
         const NotePaths& paths, MergedClass& merged)
      : base_(base), next_(next), paths_(paths), merged_(merged) {
    merged_.cls.kind = current.kind;
    merged_.cls.name = next.name;
    merged_.cls.superclass = next.superclass;
    merged_.cls.category = current.category;
    merged_.cls.package = current.package;
    merged_.cls.otherEntries = current.otherEntries;
  }

  void MergeMethod(const TonelMethod* was, const TonelMethod* now, const TonelMethod* wanted);
  void MergeComment(const std::string& current);
  void MergeVariableLists(const TonelClass& current);

 private:
  void KeepUsers(const TonelMethod& now, const TonelMethod* was, const TonelMethod* wanted);
  void NoteNotApplied(const std::string& what, const std::vector<std::string>& texts);

  const TonelClass* base_;
  const TonelClass& next_;
  const NotePaths& paths_;
  MergedClass& merged_;
  std::vector<std::size_t> usersOwn_;  // indexes of the methods whose text is the user's
};

void Merger::MergeMethod(const TonelMethod* was, const TonelMethod* now,
                         const TonelMethod* wanted) {
  TonelMethods& methods = merged_.cls.methods;
  if (now == nullptr) {
    // Deleted by the user: back only when the diagram changed it.
    if (wanted != nullptr && !Same(wanted, was)) methods.push_back(*wanted);
  } else if (Same(now, was)) {
    // As plimko wrote it, whatever its blanks: the user's bytes while the diagram's text
    // stays, the diagram's new text when it changes; in initialize only in the statements
    // that the diagram changed.
    if (wanted == nullptr) return;
    if (Same(wanted, was)) {
      methods.push_back(*now);
      return;
    }
    std::optional<KeyedMerge> merged;
    if (now->selector == "initialize") merged = MergedByVariables(*was, *now, *wanted);
    methods.push_back(merged && SameTokens(merged->text, wanted->source)
                          ? WithLines(*was, *now, *wanted, merged->text)
                          : *wanted);
  } else if (Same(wanted, now)) {
    methods.push_back(*now);
  } else {
    KeepUsers(*now, was, wanted);
  }
}

void Merger::KeepUsers(const TonelMethod& now, const TonelMethod* was, const TonelMethod* wanted) {
  TonelMethods& methods = merged_.cls.methods;
  const std::string name = MethodName(next_.name, now);
  std::optional<KeyedMerge> merged;
  if (was != nullptr && wanted != nullptr && now.selector == "initialize")
    merged = MergedByVariables(*was, now, *wanted);
  if (merged) {
    if (!SameTokens(merged->text, wanted->source)) {
      usersOwn_.push_back(methods.size());
      ++merged_.keptAsWritten;
    }
    methods.push_back(WithLines(*was, now, *wanted, merged->text));
    NoteNotApplied(name, merged->notApplied);
    return;
  }
  usersOwn_.push_back(methods.size());
  methods.push_back(now);
  ++merged_.keptAsWritten;
  if (base_ == nullptr) {
    if (wanted != nullptr) ++merged_.leftAsTheyAre;
  } else if (wanted != nullptr && !Same(wanted, was)) {
    const std::string_view source = wanted->source;
    merged_.notes.push_back("the diagram's version of " + name +
                            " was not applied: the method is kept as written (the diagram's "
                            "version, " +
                            std::string(source.substr(0, SplitPattern(source).length)) +
                            ", is in " + paths_.copy + ")");
  } else if (wanted == nullptr && was != nullptr) {
    // The copy follows the diagram, which has no such method any more.
    merged_.notes.push_back(name +
                            " is no longer in the diagram: the method is kept as written in " +
                            paths_.file + ", and plimko's copy no longer holds it");
  }
}

// One note for each text that the merge wrote after the user's, quoting it.
void Merger::NoteNotApplied(const std::string& what, const std::vector<std::string>& texts) {
  for (const std::string& text : texts) {
    merged_.notes.push_back("the diagram's version of " + what +
                            " was not applied where the user changed the same text; it follows "
                            "the user's text in " +
                            paths_.file + ": " + text);
  }
}

void Merger::MergeComment(const std::string& current) {
  std::string& comment = merged_.cls.comment;
  if (base_ == nullptr) {
    comment = current.empty() ? next_.comment : current;
  } else if (current == base_->comment) {
    comment = next_.comment;
  } else {
    KeyedMerge merged = MergeKeyed(base_->comment, current, next_.comment, TextKind::Comment);
    comment = std::move(merged.text);
    NoteNotApplied("the comment of " + next_.name, merged.notApplied);
  }
}

void Merger::MergeVariableLists(const TonelClass& current) {
  const VariableContext context{next_.name, merged_.cls.methods, usersOwn_, merged_.notes};
  using List = std::vector<std::string> TonelClass::*;
  for (const List list :
       {&TonelClass::instVars, &TonelClass::classVars, &TonelClass::classInstVars}) {
    merged_.cls.*list = MergeVariables(base_ != nullptr ? &(base_->*list) : nullptr, current.*list,
                                       next_.*list, context);
  }
}

}  // namespace

std::string MethodName(const std::string& className, const TonelMethod& method) {
  std::string name = className + (method.classSide ? " class>>#" : ">>#");
  name += method.selector;
  return name;
}

bool NamesWord(std::string_view source, std::string_view word) {
  std::size_t at = 0;
  while (at < source.size()) {
    if (const std::size_t after = AfterLiteral(source, at); after != at) {
      if (after == std::string_view::npos) return false;
      at = after;
      continue;
    }
    const std::size_t length = IdentifierLength(source, at);
    if (length == 0) {
      ++at;
      continue;
    }
    if (source.substr(at, length) == word) return true;
    at += length;
  }
  return false;
}

bool SameClass(const TonelClass& a, const TonelClass& b) {
  auto definition = [](const TonelClass& cls) {
    return std::tie(cls.kind, cls.name, cls.superclass, cls.instVars, cls.classVars,
                    cls.classInstVars, cls.category, cls.package, cls.otherEntries);
  };
  if (definition(a) != definition(b) || !SameTokens(a.comment, b.comment)) return false;
  if (a.methods.size() != b.methods.size()) return false;
  const Methods other = ByKey(&b);
  return std::all_of(a.methods.begin(), a.methods.end(), [&](const TonelMethod& method) {
    return Same(&method, Find(other, {method.classSide, method.selector}));
  });
}

MergedClass MergeClass(const TonelClass* base, const TonelClass& current, const TonelClass& next,
                       const NotePaths& paths) {
  MergedClass merged;
  Merger merger(base, current, next, paths, merged);
  const Methods b = ByKey(base), c = ByKey(&current), n = ByKey(&next);
  std::set<MethodKey> keys;
  for (const Methods* side : {&b, &c, &n})
    for (const auto& entry : *side) keys.insert(entry.first);
  for (const MethodKey& key : keys) merger.MergeMethod(Find(b, key), Find(c, key), Find(n, key));
  merger.MergeComment(current.comment);
  merger.MergeVariableLists(current);
  return merged;
}
