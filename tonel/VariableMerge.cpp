// The three-way merge of one variable list of a class definition.
#include "tonel/VariableMerge.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "tonel/TonelMerge.h"

namespace {

using Names = std::unordered_set<std::string_view>;

Names NamesOf(const std::vector<std::string>& list) {
  return Names(list.begin(), list.end());
}

// "C>>#a uses it", "C>>#a and C>>#b use it", "C>>#a, C>>#b and C>>#c use it"
std::string UsersText(const std::vector<std::string>& users) {
  std::string text;
  for (std::size_t i = 0; i < users.size(); ++i) {
    if (i > 0) text += i + 1 == users.size() ? " and " : ", ";
    text += users[i];
  }
  return text + (users.size() == 1 ? " uses it" : " use it");
}

std::vector<std::string> UsersOf(const std::string& name, const VariableContext& context) {
  std::vector<std::string> users;
  for (const std::size_t index : context.usersOwn) {
    const TonelMethod method = context.methods[index];
    if (NamesWord(method.source, name)) users.push_back(MethodName(context.className, method));
  }
  return users;
}

}  // namespace

// Linear in the lists' lengths: a diagram may give a class millions of attributes.
std::vector<std::string> MergeVariables(const std::vector<std::string>* base,
                                        const std::vector<std::string>& current,
                                        const std::vector<std::string>& next,
                                        const VariableContext& context) {
  const Names inBase = base != nullptr ? NamesOf(*base) : Names{};
  const Names inNext = NamesOf(next);
  std::vector<std::string> kept;
  kept.reserve(current.size() + next.size());
  for (const std::string& name : current) {
    if (inBase.count(name) != 0 && inNext.count(name) == 0) {
      const std::vector<std::string> users = UsersOf(name, context);
      if (users.empty()) continue;
      context.notes.push_back("the variable " + name + " of " + context.className +
                              " is kept: " + UsersText(users));
    }
    kept.push_back(name);
  }
  // A name the user deleted stays deleted; one that the copy lacks is the diagram's new one.
  const Names inKept = NamesOf(kept);
  std::unordered_map<std::string_view, std::vector<std::string_view>> after;
  std::vector<std::string_view> front;
  const std::string* previous = nullptr;
  for (const std::string& name : next) {
    if (inKept.count(name) != 0) {
      previous = &name;
    } else if (inBase.count(name) == 0) {
      (previous != nullptr ? after[*previous] : front).push_back(name);
    }
  }
  std::vector<std::string> merged;
  merged.reserve(kept.size() + front.size() + after.size());
  bool frontDone = front.empty();
  for (std::string& name : kept) {
    if (!frontDone && inNext.count(name) != 0) {
      merged.insert(merged.end(), front.begin(), front.end());
      frontDone = true;
    }
    const auto added = after.find(name);
    merged.push_back(std::move(name));
    if (added != after.end()) {
      merged.insert(merged.end(), added->second.begin(), added->second.end());
      after.erase(added);
    }
  }
  if (!frontDone) merged.insert(merged.end(), front.begin(), front.end());
  return merged;
}
