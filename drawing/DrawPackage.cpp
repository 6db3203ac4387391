// A class diagram drawn from the classes of a Tonel package.
#include "drawing/DrawPackage.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <set>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "drawing/CommentFacts.h"
#include "drawing/MemberLines.h"
#include "drawing/MethodShape.h"
#include "drawing/Statements.h"
#include "model/Error.h"
#include "writer/Naming.h"
#include "writer/Predefined.h"

namespace {

using Before = std::vector<std::pair<std::size_t, std::size_t>>;

// The places 0..count-1 in an order that puts the first of each pair before the second,
// and otherwise keeps their own order; a pair that would close a circle is not kept.
std::vector<std::size_t> OrderWith(std::size_t count, const Before& before) {
  std::vector<std::vector<std::size_t>> after(count);
  std::vector<std::size_t> waiting(count, 0);
  for (const auto& [first, second] : before) {
    after[first].push_back(second);
    ++waiting[second];
  }
  std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
  std::vector<bool> placed(count, false);
  for (std::size_t i = 0; i < count; ++i)
    if (waiting[i] == 0) ready.push(i);
  std::vector<std::size_t> order;
  std::size_t next = 0;  // the first place that may not be placed yet
  while (order.size() < count) {
    if (ready.empty()) {
      while (placed[next]) ++next;
      ready.push(next);
    }
    const std::size_t place = ready.top();
    ready.pop();
    if (placed[place]) continue;
    placed[place] = true;
    order.push_back(place);
    for (const std::size_t later : after[place])
      if (--waiting[later] == 0 && !placed[later]) ready.push(later);
  }
  return order;
}

// Whether plimko's naming keeps the name as it is.
bool KeepsClassName(const std::string& name) {
  try {
    return StTypeName(name) == name;
  } catch (const GenericError&) {
    return false;
  }
}

bool KeepsIdentifier(const std::string& name) {
  try {
    return StIdentifier(name) == name;
  } catch (const GenericError&) {
    return false;
  }
}

// The text as the class comment shows it: single quotes made double.
std::string Shown(std::string text) {
  std::replace(text.begin(), text.end(), '\'', '"');
  return text;
}

// The default as the diagram wrote it: the statement's value or the text set aside in
// its comment, when the comment shows that one; else the text the comment shows.
std::string ExactDefault(const std::string& shown, const Statement* statement) {
  if (statement == nullptr) return shown;
  if (Shown(statement->value) == shown) return statement->value;
  const std::string& comment = statement->comment;
  if (statement->commented && comment.size() >= shown.size() + 2) {
    const std::size_t at = comment.size() - shown.size();
    if (comment.compare(at - 2, 2, "= ") == 0 && Shown(comment.substr(at)) == shown)
      return comment.substr(at);
  }
  return shown;
}

// Whether the property string holds the word readOnly.
bool IsReadOnly(const std::string& properties) {
  for (std::size_t at = properties.find("readOnly"); at != std::string::npos;
       at = properties.find("readOnly", at + 1)) {
    const auto isWord = [](char c) {
      return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
    };
    const std::size_t end = at + 8;
    if ((at == 0 || !isWord(properties[at - 1])) &&
        (end == properties.size() || !isWord(properties[end])))
      return true;
  }
  return false;
}

const Statement* Find(const std::map<std::string, Statement>& statements, const std::string& name) {
  const auto found = statements.find(name);
  return found == statements.end() ? nullptr : &found->second;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

// The methods of one side by selector.
using Methods = std::unordered_map<std::string, TonelMethod>;

class PackageDrawer {
 public:
  explicit PackageDrawer(const PackageClasses& package) : package_(package) {}
  DrawnPackage Draw();

 private:
  std::size_t BoxOf(const std::string& name);
  std::size_t AddBox(const std::string& name, bool external);
  const TonelClass* SuperclassOf(const TonelClass& cls) const;
  bool DeclaredAbove(const TonelClass& cls, const std::string& name, bool classSide) const;
  void DrawClass(const TonelClass& cls, std::size_t box);
  void DrawVariables(const TonelClass& cls, const CommentFacts& facts, Box& box);
  std::optional<AttributeLine> Variable(const TonelClass& cls, const std::string& name,
                                        bool classSide);
  void DrawLinks(const TonelClass& cls, const CommentFacts& facts, std::size_t box);
  void DrawConstraints(const CommentFacts& facts);
  void DrawOperations(const TonelClass& cls, Box& box);
  void DrawSuperclasses(const TonelClass& cls, const CommentFacts& facts, std::size_t box);
  // Leaves out the accessors that the variable's line stands for.
  void SkipAccessors(const std::string& variable, bool classSide, bool setter);
  std::vector<std::string> Notes() const;
  DrawnPackage Ordered();

  const PackageClasses& package_;
  std::unordered_map<std::string, const TonelClass*> classes_;
  Drawing drawing_;
  std::unordered_map<std::string, std::size_t> boxes_;
  Before boxBefore_;
  std::vector<std::vector<std::size_t>> relationSequences_;
  std::map<std::tuple<std::string, std::string, std::string, std::string>, std::vector<std::size_t>>
      constraintRelations_;
  // The class being drawn, by side: its methods, the statements of its initialize
  // method, and the selectors left out.
  Methods methods_[2];
  std::map<std::string, Statement> statements_[2];
  std::set<std::string> skipped_[2];
  // What the notes name.
  std::vector<std::string> traitUsers_;
  std::vector<std::string> classInstanceVariables_;
  std::vector<std::string> renamedMembers_;
  std::vector<std::string> renamedClasses_;
  std::vector<std::string> pharoNamed_;
};

std::size_t PackageDrawer::AddBox(const std::string& name, bool external) {
  Box box;
  box.name = name;
  if (external) box.stereotype = "external";
  drawing_.boxes.push_back(std::move(box));
  boxes_.emplace(name, drawing_.boxes.size() - 1);
  return drawing_.boxes.size() - 1;
}

// A class from outside the package gets an <<external>> box, once.
std::size_t PackageDrawer::BoxOf(const std::string& name) {
  const auto found = boxes_.find(name);
  return found != boxes_.end() ? found->second : AddBox(name, true);
}

const TonelClass* PackageDrawer::SuperclassOf(const TonelClass& cls) const {
  const auto found = classes_.find(cls.superclass);
  return found == classes_.end() ? nullptr : found->second;
}

// Whether a superclass in the package declares the variable; a chain that comes back
// round ends where it would.
bool PackageDrawer::DeclaredAbove(const TonelClass& cls, const std::string& name,
                                  bool classSide) const {
  const TonelClass* above = SuperclassOf(cls);
  for (std::size_t steps = 0; above != nullptr && steps < classes_.size(); ++steps) {
    const auto holds = [&name](const std::vector<std::string>& names) {
      return std::find(names.begin(), names.end(), name) != names.end();
    };
    if (classSide ? holds(above->classVars) || holds(above->classInstVars)
                  : holds(above->instVars)) {
      return true;
    }
    above = SuperclassOf(*above);
  }
  return false;
}

void PackageDrawer::SkipAccessors(const std::string& variable, bool classSide, bool setter) {
  const Methods& methods = methods_[classSide];
  const auto getter = methods.find(variable);
  if (getter != methods.end() && IsGetter(getter->second, variable))
    skipped_[classSide].insert(variable);
  const auto set = methods.find(variable + ":");
  if (setter && set != methods.end() && IsSetter(set->second, variable))
    skipped_[classSide].insert(variable + ":");
}

// A variable that the comment does not describe: private, or public when the class has
// its getter and setter.
std::optional<AttributeLine> PackageDrawer::Variable(const TonelClass& cls, const std::string& name,
                                                     bool classSide) {
  if (!KeepsIdentifier(name)) {
    renamedMembers_.push_back(cls.name + (classSide ? " class>>" : ">>") + name);
    return std::nullopt;
  }
  AttributeLine line;
  line.name = name;
  line.classSide = classSide;
  const Methods& methods = methods_[classSide];
  if (methods.count(name) != 0 && methods.count(name + ":") != 0) {
    line.visibility = '+';
    SkipAccessors(name, classSide, true);
  }
  return line;
}

void PackageDrawer::DrawVariables(const TonelClass& cls, const CommentFacts& facts, Box& box) {
  for (const bool classSide : {false, true}) {
    const std::vector<VariableFact>& described =
        classSide ? facts.classVariables : facts.instanceVariables;
    std::vector<std::string> declared = classSide ? cls.classVars : cls.instVars;
    if (classSide)
      declared.insert(declared.end(), cls.classInstVars.begin(), cls.classInstVars.end());
    const auto isDeclared = [&](const std::string& name) {
      return std::find(declared.begin(), declared.end(), name) != declared.end() ||
             DeclaredAbove(cls, name, classSide);
    };
    const std::map<std::string, Statement>& statements = statements_[classSide];
    std::set<std::string> named;
    for (const VariableFact& fact : described) named.insert(fact.name);
    for (const LinkFact& link : classSide ? std::vector<LinkFact>() : facts.links)
      named.insert(link.name);
    // The comment's lines in its order, each variable it does not describe after the one
    // the definition lists before it.
    std::size_t next = 0;
    const auto describe = [&](std::size_t end) {
      for (; next < end; ++next) {
        const VariableFact& fact = described[next];
        if (!isDeclared(fact.name)) continue;
        AttributeLine line;
        line.name = fact.name;
        line.classSide = classSide;
        line.type = fact.type;
        line.multiplicity = fact.multiplicity;
        line.properties = fact.properties;
        const Statement* statement = Find(statements, fact.name);
        if (!classSide && statement != nullptr) {
          if (!line.type.empty() && line.multiplicity.empty() && statement->commented &&
              statement->comment.starts_with(kMandatoryWord))
            line.multiplicity = "1";
          if (line.type.empty() && statement->value == kDefaultCollection) line.multiplicity = "*";
        }
        if (fact.hasDefault) line.defaultText = ExactDefault(fact.defaultText, statement);
        const bool getterOnly = HoldsMany(line.multiplicity) || IsReadOnly(line.properties);
        const Methods& methods = methods_[classSide];
        if (methods.count(fact.name) != 0 && (getterOnly || methods.count(fact.name + ":") != 0)) {
          line.visibility = '+';
          SkipAccessors(fact.name, classSide, !getterOnly);
        }
        box.attributes.push_back(AttributeText(line));
      }
    };
    for (const std::string& name : declared) {
      if (named.count(name) == 0) {
        if (classSide && std::find(cls.classInstVars.begin(), cls.classInstVars.end(), name) !=
                             cls.classInstVars.end()) {
          classInstanceVariables_.push_back(cls.name + " class " + name);
        } else if (const std::optional<AttributeLine> line = Variable(cls, name, classSide)) {
          box.attributes.push_back(AttributeText(*line));
        }
        continue;
      }
      std::size_t end = next;
      while (end < described.size() && described[end].name != name) ++end;
      describe(end < described.size() ? end + 1 : next);
    }
    describe(described.size());
  }
}

void PackageDrawer::DrawLinks(const TonelClass& cls, const CommentFacts& facts, std::size_t box) {
  std::vector<std::size_t> sequence;
  for (const LinkFact& link : facts.links) {
    if (std::find(cls.instVars.begin(), cls.instVars.end(), link.name) == cls.instVars.end() &&
        !DeclaredAbove(cls, link.name, false)) {
      continue;
    }
    Relation relation;
    relation.from = box;
    relation.to = BoxOf(link.target);
    relation.lineType = "->";
    std::string head = link.headMultiplicity;
    std::string collection;
    if (const Statement* statement = Find(statements_[false], link.name)) {
      const std::string& comment = statement->comment;
      if (head.empty() && comment.starts_with(kMandatoryWord)) head = "1";
      const std::string setAside = link.target + " [" + head + "] = ";
      if (HoldsMany(head) && comment.starts_with(setAside)) {
        collection = comment.substr(setAside.size());
      } else if (HoldsMany(head) && statement->value != kDefaultCollection &&
                 statement->value.ends_with(" new")) {
        collection = statement->value.substr(0, statement->value.size() - 4);
      }
    }
    if (!link.tailMultiplicity.empty()) relation.lines.push_back("m1=" + link.tailMultiplicity);
    if (!head.empty()) relation.lines.push_back("m2=" + head);
    relation.lines.push_back("r2=" + link.name);
    if (!collection.empty()) relation.lines.push_back(": " + collection);
    drawing_.relations.push_back(std::move(relation));
    sequence.push_back(drawing_.relations.size() - 1);
    SkipAccessors(link.name, false, !HoldsMany(head));
  }
  relationSequences_.push_back(std::move(sequence));
}

// A relation that two classes' comments both list is drawn once: the n-th line of one
// names the same relation as the n-th of the other.
void PackageDrawer::DrawConstraints(const CommentFacts& facts) {
  std::map<std::tuple<std::string, std::string, std::string, std::string>, std::size_t> seen;
  std::vector<std::size_t> sequence;
  for (const ConstraintFact& fact : facts.constraints) {
    std::string lineType;
    bool reversed = false;
    if (fact.kind == "associates") {
      lineType = "-";
    } else if (fact.kind == "navigates") {
      lineType = "<->";
    } else if (fact.kind == "aggregates" || fact.kind == "composes") {
      lineType = fact.kind == "aggregates" ? "<<<-" : "<<<<-";
      reversed = true;
    } else {
      continue;
    }
    const auto key = std::make_tuple(fact.name, fact.kind, fact.from, fact.to);
    std::vector<std::size_t>& drawn = constraintRelations_[key];
    const std::size_t nth = seen[key]++;
    if (nth == drawn.size()) {
      Relation relation;
      const std::size_t from = BoxOf(fact.from);
      const std::size_t to = BoxOf(fact.to);
      relation.from = reversed ? to : from;
      relation.to = reversed ? from : to;
      relation.lineType = lineType;
      relation.lines.push_back(fact.name);
      // Plimko takes the first of the two classes that the line touches for its start.
      if (!reversed && from != to) boxBefore_.emplace_back(from, to);
      drawing_.relations.push_back(std::move(relation));
      drawn.push_back(drawing_.relations.size() - 1);
    }
    sequence.push_back(drawn[nth]);
  }
  relationSequences_.push_back(std::move(sequence));
}

void PackageDrawer::DrawOperations(const TonelClass& cls, Box& box) {
  for (const TonelMethod method : cls.methods) {
    const std::string selector(method.selector);
    if (skipped_[method.classSide].count(selector) != 0) continue;
    if (selector == "initialize") {
      if (method.classSide) box.operations.emplace_back("_+initialize()_");
      continue;
    }
    const PatternParts parts = SplitParts(method.source);
    bool kept = true;
    for (const std::string& keyword : parts.binary ? std::vector<std::string>() : parts.keywords)
      kept = kept && KeepsIdentifier(keyword.substr(0, keyword.find(':')));
    if (!kept) {
      renamedMembers_.push_back(cls.name + (method.classSide ? " class>>#" : ">>#") + selector);
      continue;
    }
    const bool abstract = IsSubclassResponsibility(method.source);
    box.abstract = box.abstract || abstract;
    box.operations.push_back(
        OperationText(parts, std::string(method.category), method.classSide, abstract));
  }
}

void PackageDrawer::DrawSuperclasses(const TonelClass& cls, const CommentFacts& facts,
                                     std::size_t box) {
  std::vector<std::size_t> drawn;
  if (!cls.superclass.empty() && cls.superclass != "Object" && cls.superclass != cls.name) {
    Relation relation;
    relation.from = BoxOf(cls.superclass);
    relation.to = box;
    relation.lineType = "<<-";
    relation.treeEdge = true;
    drawn.push_back(relation.from);
    drawing_.relations.push_back(std::move(relation));
  }
  for (const std::string& further : facts.furtherSuperclasses) {
    if (further == cls.name) continue;
    Relation relation;
    relation.from = BoxOf(further);
    relation.to = box;
    relation.lineType = "<<-";
    // Plimko declares the class under the first of its superclasses in the file.
    if (!drawn.empty()) boxBefore_.emplace_back(drawn.back(), relation.from);
    drawn.push_back(relation.from);
    drawing_.relations.push_back(std::move(relation));
  }
}

void PackageDrawer::DrawClass(const TonelClass& cls, std::size_t box) {
  for (const bool classSide : {false, true}) {
    methods_[classSide].clear();
    skipped_[classSide].clear();
    statements_[classSide].clear();
  }
  for (const TonelMethod method : cls.methods) {
    methods_[method.classSide].emplace(std::string(method.selector), method);
    if (method.selector == "initialize")
      statements_[method.classSide] = ReadStatements(method.source);
  }
  for (const auto& [key, value] : cls.otherEntries) {
    if (key == "traits" || key == "classTraits") {
      traitUsers_.push_back(cls.name);
      break;
    }
  }
  const CommentFacts facts = ReadCommentFacts(cls.comment);
  DrawVariables(cls, facts, drawing_.boxes[box]);
  DrawLinks(cls, facts, box);
  DrawConstraints(facts);
  DrawOperations(cls, drawing_.boxes[box]);
  DrawSuperclasses(cls, facts, box);
}

std::vector<std::string> PackageDrawer::Notes() const {
  std::vector<std::string> notes;
  if (!package_.traits.empty() || !traitUsers_.empty()) {
    std::string note = "traits are left out of the diagram: " + Joined(package_.traits);
    if (!package_.traits.empty() && !traitUsers_.empty()) note += ", and ";
    if (!traitUsers_.empty()) note += "those that " + Joined(traitUsers_) + " use";
    notes.push_back(note);
  }
  if (!package_.extensions.empty()) {
    notes.push_back("extension methods are left out of the diagram: " +
                    Joined(package_.extensions));
  }
  if (!classInstanceVariables_.empty()) {
    notes.push_back("class-side instance variables are left out of the diagram: " +
                    Joined(classInstanceVariables_));
  }
  if (!renamedMembers_.empty() || !renamedClasses_.empty()) {
    std::string note = "names that plimko's naming rules would change: ";
    if (!renamedMembers_.empty()) note += Joined(renamedMembers_) + " left out of the diagram";
    if (!renamedMembers_.empty() && !renamedClasses_.empty()) note += "; ";
    if (!renamedClasses_.empty()) {
      note += "the classes " + Joined(renamedClasses_) +
              " drawn <<external>>, so that they are never declared again";
    }
    notes.push_back(note);
  }
  if (!pharoNamed_.empty()) {
    notes.push_back(
        "classes named like a class of Pharo are drawn <<external>>, since plimko "
        "never declares them: " +
        Joined(pharoNamed_));
  }
  return notes;
}

// The boxes in the order that gives each class's superclasses and relations back in
// their order; the relations in the order of each class's comment.
DrawnPackage PackageDrawer::Ordered() {
  DrawnPackage drawn;
  const std::vector<std::size_t> boxOrder = OrderWith(drawing_.boxes.size(), boxBefore_);
  std::vector<std::size_t> placeOf(boxOrder.size());
  for (std::size_t i = 0; i < boxOrder.size(); ++i) {
    placeOf[boxOrder[i]] = i;
    drawn.drawing.boxes.push_back(std::move(drawing_.boxes[boxOrder[i]]));
  }
  Before relationBefore;
  for (const std::vector<std::size_t>& sequence : relationSequences_)
    for (std::size_t i = 1; i < sequence.size(); ++i)
      relationBefore.emplace_back(sequence[i - 1], sequence[i]);
  for (const std::size_t i : OrderWith(drawing_.relations.size(), relationBefore)) {
    Relation relation = std::move(drawing_.relations[i]);
    relation.from = placeOf[relation.from];
    relation.to = placeOf[relation.to];
    drawn.drawing.relations.push_back(std::move(relation));
  }
  drawn.notes = Notes();
  return drawn;
}

DrawnPackage PackageDrawer::Draw() {
  for (const TonelClass& cls : package_.classes) classes_.emplace(cls.name, &cls);
  std::vector<bool> external;
  for (const TonelClass& cls : package_.classes) {
    const bool renamed = !KeepsClassName(cls.name);
    const bool pharos =
        !renamed && (IsSystemClassName(cls.name) || IsPredefinedCollection(cls.name));
    if (renamed) renamedClasses_.push_back(cls.name);
    if (pharos) pharoNamed_.push_back(cls.name);
    external.push_back(renamed || pharos);
    AddBox(cls.name, renamed || pharos);
  }
  for (std::size_t i = 0; i < package_.classes.size(); ++i)
    if (!external[i]) DrawClass(package_.classes[i], i);
  return Ordered();
}

}  // namespace

DrawnPackage DrawPackage(const PackageClasses& package) {
  return PackageDrawer(package).Draw();
}
