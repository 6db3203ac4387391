// The three-way merge of a class file: what plimko wrote last, what the file holds now,
// and what the diagram gives today.
#include "tonel/TonelMerge.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "tonel/Lexis.h"

namespace {

using MethodKey = std::pair<bool, std::string>;
using Methods = std::map<MethodKey, const TonelMethod*>;

Methods ByKey(const TonelClass& cls) {
  Methods methods;
  for (const TonelMethod& method : cls.methods)
    methods[{method.classSide, method.selector}] = &method;
  return methods;
}

const TonelMethod* Find(const Methods& methods, const MethodKey& key) {
  auto found = methods.find(key);
  return found == methods.end() ? nullptr : found->second;
}

std::string MethodName(const std::string& className, const TonelMethod& method) {
  return className + (method.classSide ? " class>>#" : ">>#") + method.selector;
}

// The methods, and which of them keep the user's text.
void MergeMethods(const TonelClass& base, const TonelClass& current, const TonelClass& next,
                  MergedClass& merged, std::vector<const TonelMethod*>& usersOwn) {
  const Methods b = ByKey(base), c = ByKey(current), n = ByKey(next);
  std::set<MethodKey> keys;
  for (const Methods* side : {&b, &c, &n})
    for (const auto& entry : *side) keys.insert(entry.first);
  for (const MethodKey& key : keys) {
    const TonelMethod* was = Find(b, key);
    const TonelMethod* now = Find(c, key);
    const TonelMethod* wanted = Find(n, key);
    if (now != nullptr && was != nullptr && *now == *was) {
      if (wanted != nullptr) merged.cls.methods.push_back(*wanted);
    } else if (now != nullptr) {
      merged.cls.methods.push_back(*now);
      if (wanted == nullptr || *wanted != *now) {
        usersOwn.push_back(now);
        ++merged.keptAsWritten;
      }
      if (wanted != nullptr && *wanted != *now && (was == nullptr || *wanted != *was)) {
        merged.notes.push_back("the diagram's version of " + MethodName(next.name, *wanted) +
                               " was not applied: the method is kept as written");
      } else if (wanted == nullptr && was != nullptr) {
        merged.notes.push_back(MethodName(next.name, *now) +
                               " is no longer in the diagram: the method is kept as written");
      }
    } else if (wanted != nullptr && (was == nullptr || *wanted != *was)) {
      merged.cls.methods.push_back(*wanted);
    }
  }
}

// One variable list: the user's additions kept, the diagram's additions taken,
// the diagram's removals made unless a method kept as written still names the
// variable. The diagram's order first, then the user's own.
std::vector<std::string> MergeVariables(const std::vector<std::string>& base,
                                        const std::vector<std::string>& current,
                                        const std::vector<std::string>& next,
                                        const std::vector<const TonelMethod*>& usersOwn,
                                        const std::string& className,
                                        std::vector<std::string>& notes) {
  const std::set<std::string> b(base.begin(), base.end()), c(current.begin(), current.end()),
      n(next.begin(), next.end());
  std::vector<std::string> merged;
  for (const std::string& name : next)
    if (c.count(name) != 0 || b.count(name) == 0) merged.push_back(name);
  for (const std::string& name : current) {
    if (n.count(name) != 0) continue;
    if (b.count(name) == 0) {
      merged.push_back(name);
      continue;
    }
    const bool named = std::any_of(usersOwn.begin(), usersOwn.end(), [&](const TonelMethod* m) {
      return NamesWord(m->source, name);
    });
    if (!named) continue;
    merged.push_back(name);
    notes.push_back("the variable " + name + " of " + className +
                    " is kept: a method kept as written uses it");
  }
  return merged;
}

}  // namespace

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
  auto sorted = [](TonelClass cls) {
    std::sort(cls.methods.begin(), cls.methods.end(),
              [](const TonelMethod& x, const TonelMethod& y) {
                return std::tie(x.classSide, x.selector) < std::tie(y.classSide, y.selector);
              });
    return cls;
  };
  return sorted(a) == sorted(b);
}

MergedClass MergeClass(const TonelClass& base, const TonelClass& current, const TonelClass& next) {
  MergedClass merged;
  merged.cls = next;
  merged.cls.kind = current.kind;
  merged.cls.otherEntries = current.otherEntries;
  merged.cls.methods.clear();
  std::vector<const TonelMethod*> usersOwn;
  MergeMethods(base, current, next, merged, usersOwn);

  const bool commentDeleted = current.comment.empty() && next.comment != base.comment;
  if (current.comment != base.comment && !commentDeleted) {
    merged.cls.comment = current.comment;
    if (next.comment != base.comment && next.comment != current.comment) {
      merged.notes.push_back("the diagram's comment of " + next.name +
                             " was not applied: the comment is kept as written");
    }
  }
  merged.cls.instVars = MergeVariables(base.instVars, current.instVars, next.instVars, usersOwn,
                                       next.name, merged.notes);
  merged.cls.classVars = MergeVariables(base.classVars, current.classVars, next.classVars, usersOwn,
                                        next.name, merged.notes);
  merged.cls.classInstVars = MergeVariables(base.classInstVars, current.classInstVars,
                                            next.classInstVars, usersOwn, next.name, merged.notes);
  return merged;
}
