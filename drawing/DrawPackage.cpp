// A class diagram drawn from the classes of a Tonel package.
#include "drawing/DrawPackage.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <queue>
#include <set>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "drawing/CommentFacts.h"
#include "drawing/MemberLines.h"
#include "drawing/MethodShape.h"
#include "drawing/Statements.h"
#include "model/Error.h"
#include "writer/Accessors.h"
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

// Whether the property string is left open: the reader then takes the lines after it
// into it, up to the end of the compartment.
bool IsLeftOpen(std::string_view properties) {
  int depth = 0;
  char quote = 0;
  for (const char c : properties) {
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '{') {
      ++depth;
    } else if (c == '}' && depth > 0) {
      --depth;
    }
  }
  return depth > 0;
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

// Names looked up by binary search: a class's few names cost one block, not one per name.
class SortedNames {
 public:
  void Assign(std::vector<std::pair<std::string_view, std::size_t>> names) {
    names_ = std::move(names);
    std::sort(names_.begin(), names_.end());
  }
  // The places given with the name, in order.
  std::pair<std::vector<std::pair<std::string_view, std::size_t>>::const_iterator,
            std::vector<std::pair<std::string_view, std::size_t>>::const_iterator>
  Find(std::string_view name) const {
    const auto from =
        std::lower_bound(names_.begin(), names_.end(), std::make_pair(name, std::size_t{0}));
    auto to = from;
    while (to != names_.end() && to->first == name) ++to;
    return {from, to};
  }
  bool Contains(std::string_view name) const {
    const auto [from, to] = Find(name);
    return from != to;
  }

 private:
  std::vector<std::pair<std::string_view, std::size_t>> names_;
};

std::vector<std::pair<std::string_view, std::size_t>> Numbered(
    const std::vector<std::string>& names) {
  std::vector<std::pair<std::string_view, std::size_t>> numbered;
  numbered.reserve(names.size());
  for (const std::string& name : names) numbered.emplace_back(name, numbered.size());
  return numbered;
}

class PackageDrawer {
 public:
  explicit PackageDrawer(const PackageClasses& package) : package_(package) {}
  DrawnPackage Draw();

 private:
  // A class from outside the package gets an <<external>> box, once; none when plimko's
  // naming would change its name.
  std::optional<std::size_t> BoxOf(const std::string& name);
  std::size_t AddBox(const std::string& name, bool external);
  const TonelClass* SuperclassOf(const TonelClass& cls) const;
  bool DeclaredAbove(const TonelClass& cls, const std::string& name, bool classSide) const;
  void DrawClass(const TonelClass& cls, std::size_t box);
  void DrawVariables(const TonelClass& cls, const CommentFacts& facts, Box& box);
  std::optional<AttributeLine> Variable(const TonelClass& cls, const std::string& name,
                                        bool classSide);
  void DrawLinks(const TonelClass& cls, const CommentFacts& facts, std::size_t box);
  void DrawConstraints(const CommentFacts& facts);
  void DrawOperations(const TonelClass& cls, std::size_t box);
  std::optional<std::size_t> RealisedBox(const std::string& protocol);
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
  // The relations drawn for the lines of the classes' comments, by line.
  std::unordered_map<std::string, std::vector<std::size_t>> constraintRelations_;
  // The class being drawn, by side: its methods, the statements of its initialize
  // method, and the selectors left out.
  const TonelClass* cls_ = nullptr;
  SortedNames methods_[2];  // their places in the class
  std::vector<bool> skipped_;
  std::map<std::string, Statement> statements_[2];
  SortedNames declared_[2];  // the variables it declares
  SortedNames classInstanceNames_;
  // The interfaces whose protocols the classes' methods are in: each one's box and the
  // operation lines drawn in it.
  std::map<std::string, std::pair<std::size_t, std::set<std::string>>> interfaces_;
  // What the notes name.
  std::vector<std::string> traitUsers_;
  std::vector<std::string> classInstanceVariables_;
  std::vector<std::string> renamedMembers_;
  std::vector<std::string> renamedClasses_;
  std::vector<std::string> pharoNamed_;
  std::size_t drawnClasses_ = 0;
};

std::size_t PackageDrawer::AddBox(const std::string& name, bool external) {
  Box box;
  box.name = name;
  if (external) box.stereotype = "external";
  drawing_.boxes.push_back(std::move(box));
  boxes_.emplace(name, drawing_.boxes.size() - 1);
  return drawing_.boxes.size() - 1;
}

std::optional<std::size_t> PackageDrawer::BoxOf(const std::string& name) {
  const auto found = boxes_.find(name);
  if (found != boxes_.end()) return found->second;
  if (KeepsClassName(name)) return AddBox(name, true);
  renamedMembers_.push_back("the class " + name);
  return std::nullopt;
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
  const TonelMethods& methods = cls_->methods;
  for (auto [at, end] = methods_[classSide].Find(variable); at != end; ++at)
    if (IsGetter(methods[at->second], variable)) skipped_[at->second] = true;
  if (!setter) return;
  for (auto [at, end] = methods_[classSide].Find(variable + ":"); at != end; ++at)
    if (IsSetter(methods[at->second], variable)) skipped_[at->second] = true;
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
  const SortedNames& methods = methods_[classSide];
  if (methods.Contains(name) && methods.Contains(name + ":")) {
    line.visibility = '+';
    SkipAccessors(name, classSide, true);
  }
  return line;
}

void PackageDrawer::DrawVariables(const TonelClass& cls, const CommentFacts& facts, Box& box) {
  std::vector<std::string> leftOpen;  // lines that must end the compartment
  for (const bool classSide : {false, true}) {
    const std::vector<VariableFact>& described =
        classSide ? facts.classVariables : facts.instanceVariables;
    std::vector<std::string> declared = classSide ? cls.classVars : cls.instVars;
    if (classSide)
      declared.insert(declared.end(), cls.classInstVars.begin(), cls.classInstVars.end());
    const auto isDeclared = [&](const std::string& name) {
      return declared_[classSide].Contains(name) || DeclaredAbove(cls, name, classSide);
    };
    const std::map<std::string, Statement>& statements = statements_[classSide];
    // Where the comment describes each variable, in order; a link is described elsewhere.
    std::vector<std::pair<std::string_view, std::size_t>> describedAt;
    describedAt.reserve(described.size() + facts.links.size());
    for (std::size_t i = 0; i < described.size(); ++i)
      describedAt.emplace_back(described[i].name, i);
    if (!classSide)
      for (const LinkFact& link : facts.links)
        describedAt.emplace_back(link.name, described.size());
    SortedNames places;
    places.Assign(std::move(describedAt));
    // The comment's lines in its order, each variable it does not describe after the one
    // the definition lists before it.
    std::size_t next = 0;
    const auto describe = [&](std::size_t end) {
      for (; next < end; ++next) {
        const VariableFact& fact = described[next];
        if (!isDeclared(fact.name)) continue;
        if (!KeepsIdentifier(fact.name)) {
          renamedMembers_.push_back(cls.name + (classSide ? " class>>" : ">>") + fact.name);
          continue;
        }
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
        const bool getterOnly = HoldsMany(line.multiplicity) || HoldsReadOnly(line.properties);
        const SortedNames& methods = methods_[classSide];
        if (methods.Contains(fact.name) && (getterOnly || methods.Contains(fact.name + ":"))) {
          line.visibility = '+';
          SkipAccessors(fact.name, classSide, !getterOnly);
        }
        (IsLeftOpen(line.properties) ? leftOpen : box.attributes).push_back(AttributeText(line));
      }
    };
    for (const std::string& name : declared) {
      const auto [from, to] = places.Find(name);
      if (from == to) {
        if (classSide && classInstanceNames_.Contains(name)) {
          classInstanceVariables_.push_back(cls.name + " class " + name);
        } else if (const std::optional<AttributeLine> line = Variable(cls, name, classSide)) {
          box.attributes.push_back(AttributeText(*line));
        }
        continue;
      }
      const auto place = std::lower_bound(from, to, std::make_pair(std::string_view(name), next));
      if (place != to && place->second < described.size()) describe(place->second + 1);
    }
    describe(described.size());
  }
  box.attributes.insert(box.attributes.end(), leftOpen.begin(), leftOpen.end());
}

void PackageDrawer::DrawLinks(const TonelClass& cls, const CommentFacts& facts, std::size_t box) {
  std::vector<std::size_t> sequence;
  for (const LinkFact& link : facts.links) {
    if (!declared_[false].Contains(link.name) && !DeclaredAbove(cls, link.name, false)) {
      continue;
    }
    const std::optional<std::size_t> target = BoxOf(link.target);
    if (!target) continue;
    Relation relation;
    relation.from = box;
    relation.to = *target;
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
  std::unordered_map<std::string, std::size_t> seen;
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
    const std::optional<std::size_t> from = BoxOf(fact.from);
    const std::optional<std::size_t> to = BoxOf(fact.to);
    if (!from || !to) continue;
    std::string key = fact.name;
    key.append(1, '\0').append(fact.kind).append(1, '\0').append(fact.from).append(1, '\0');
    key.append(fact.to);
    std::vector<std::size_t>& drawn = constraintRelations_[key];
    const std::size_t nth = seen[key]++;
    if (nth == drawn.size()) {
      Relation relation;
      relation.from = reversed ? *to : *from;
      relation.to = reversed ? *from : *to;
      relation.lineType = lineType;
      relation.lines.push_back(fact.name);
      // Plimko takes the first of the two classes that the line touches for its start.
      if (!reversed && *from != *to) boxBefore_.emplace_back(*from, *to);
      drawing_.relations.push_back(std::move(relation));
      drawn.push_back(drawing_.relations.size() - 1);
    }
    sequence.push_back(drawn[nth]);
  }
  relationSequences_.push_back(std::move(sequence));
}

// Plimko writes the operations of an interface that a class realises in a protocol named
// after the interface: the box of the class of the package of that name, whose own
// operations they are, or that of an interface drawn for them. Plimko's own protocols
// ("public", "accessing", ...) start with a small letter, as Pharo's do.
std::optional<std::size_t> PackageDrawer::RealisedBox(const std::string& protocol) {
  if (protocol.empty() || protocol[0] < 'A' || protocol[0] > 'Z') return std::nullopt;
  if (classes_.count(protocol) != 0) return boxes_.at(protocol);
  if (!KeepsClassName(protocol)) return std::nullopt;
  const auto found = interfaces_.find(protocol);
  if (found != interfaces_.end()) return found->second.first;
  const std::size_t interface = AddBox(protocol, false);
  drawing_.boxes[interface].stereotype = "interface";
  interfaces_.emplace(protocol, std::make_pair(interface, std::set<std::string>()));
  return interface;
}

// A method in an interface's protocol is an operation of the interface, which the class
// realises.
void PackageDrawer::DrawOperations(const TonelClass& cls, std::size_t box) {
  std::set<std::size_t> realised;
  for (std::size_t index = 0; index < cls.methods.size(); ++index) {
    if (skipped_[index]) continue;
    const TonelMethod method = cls.methods[index];
    const std::string selector(method.selector);
    if (selector == "initialize") {
      if (method.classSide) drawing_.boxes[box].operations.emplace_back("_+initialize()_");
      continue;
    }
    const PatternParts parts = SplitParts(method.source);
    bool kept = true;
    for (const std::string_view keyword : parts.keywords)
      kept = kept && (parts.binary || KeepsIdentifier(std::string(keyword)));
    if (!kept) {
      renamedMembers_.push_back(cls.name + (method.classSide ? " class>>#" : ">>#") + selector);
      continue;
    }
    const std::string protocol(method.category);
    const bool abstract = IsSubclassResponsibility(method.source, parts);
    const std::optional<std::size_t> interface =
        method.classSide ? std::nullopt : RealisedBox(protocol);
    if (interface) {
      const auto drawn = interfaces_.find(protocol);
      const std::string line = OperationText(parts, "", false, abstract);
      if (drawn != interfaces_.end() && drawn->second.second.insert(line).second)
        drawing_.boxes[*interface].operations.push_back(line);
      if (realised.insert(*interface).second) {
        Relation relation;
        relation.from = *interface;
        relation.to = box;
        relation.lineType = "<<.";
        drawing_.relations.push_back(std::move(relation));
      }
      continue;
    }
    drawing_.boxes[box].abstract = drawing_.boxes[box].abstract || abstract;
    drawing_.boxes[box].operations.push_back(
        OperationText(parts, protocol, method.classSide, abstract));
  }
}

void PackageDrawer::DrawSuperclasses(const TonelClass& cls, const CommentFacts& facts,
                                     std::size_t box) {
  std::vector<std::size_t> drawn;
  const std::optional<std::size_t> superclass =
      cls.superclass.empty() || cls.superclass == "Object" || cls.superclass == cls.name
          ? std::nullopt
          : BoxOf(cls.superclass);
  if (superclass) {
    Relation relation;
    relation.from = *superclass;
    relation.to = box;
    relation.lineType = "<<-";
    relation.treeEdge = true;
    drawn.push_back(relation.from);
    drawing_.relations.push_back(std::move(relation));
  }
  for (const std::string& further : facts.furtherSuperclasses) {
    const std::optional<std::size_t> above = further == cls.name ? std::nullopt : BoxOf(further);
    if (!above) continue;
    Relation relation;
    relation.from = *above;
    relation.to = box;
    relation.lineType = "<<-";
    // Plimko declares the class under the first of its superclasses in the file.
    if (!drawn.empty()) boxBefore_.emplace_back(drawn.back(), relation.from);
    drawn.push_back(relation.from);
    drawing_.relations.push_back(std::move(relation));
  }
}

void PackageDrawer::DrawClass(const TonelClass& cls, std::size_t box) {
  cls_ = &cls;
  std::vector<std::pair<std::string_view, std::size_t>> selectors[2];
  for (std::size_t index = 0; index < cls.methods.size(); ++index) {
    const TonelMethod method = cls.methods[index];
    selectors[method.classSide].emplace_back(method.selector, index);
  }
  for (const bool classSide : {false, true}) {
    methods_[classSide].Assign(std::move(selectors[classSide]));
    statements_[classSide].clear();
    const auto [at, end] = methods_[classSide].Find("initialize");
    if (at != end) statements_[classSide] = ReadStatements(cls.methods[at->second].source);
  }
  skipped_.assign(cls.methods.size(), false);
  declared_[false].Assign(Numbered(cls.instVars));
  std::vector<std::pair<std::string_view, std::size_t>> classNames = Numbered(cls.classVars);
  for (const std::string& name : cls.classInstVars) classNames.emplace_back(name, 0);
  declared_[true].Assign(std::move(classNames));
  classInstanceNames_.Assign(Numbered(cls.classInstVars));
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
  DrawOperations(cls, box);
  DrawSuperclasses(cls, facts, box);
}

// One note per kind of what the diagram cannot say.
std::vector<std::string> PackageDrawer::Notes() const {
  std::vector<std::string> notes;
  const auto note = [&notes](const char* what, const char* kind, std::string list) {
    if (!list.empty()) notes.push_back(std::string(what) + " (" + kind + "): " + list);
  };
  std::string traits = Joined(package_.traits);
  if (!traits.empty() && !traitUsers_.empty()) traits += "; ";
  if (!traitUsers_.empty()) traits += "the traits used by " + Joined(traitUsers_);
  note("left out of the diagram", "traits", traits);
  note("left out of the diagram", "extension methods", Joined(package_.extensions));
  note("left out of the diagram", "class-side instance variables", Joined(classInstanceVariables_));
  note("left out of the diagram", "names that plimko's naming rules would change",
       Joined(renamedMembers_));
  note("drawn <<external>>, never to be declared again",
       "names that plimko's naming rules would change", Joined(renamedClasses_));
  note("drawn <<external>>, never to be declared", "names of classes of Pharo",
       Joined(pharoNamed_));
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
  drawn.classes = drawnClasses_;
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
    if (!external[i]) {
      DrawClass(package_.classes[i], i);
      ++drawnClasses_;
    }
  return Ordered();
}

}  // namespace

DrawnPackage DrawPackage(const PackageClasses& package) {
  return PackageDrawer(package).Draw();
}
