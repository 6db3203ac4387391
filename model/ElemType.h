// Diagram elements: the common element data, class elements and relation elements.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "model/ClassMember.h"
#include "model/ElemTable.h"
#include "model/Element.h"

// A diagram element: position and size at zoom level 10, stereotype, name, type text.
class IElemType : public virtual IElement {
 public:
  virtual int32_t GetX() const = 0;
  virtual void SetX(int32_t value) = 0;
  virtual int32_t GetY() const = 0;
  virtual void SetY(int32_t value) = 0;
  virtual int32_t GetW() const = 0;
  virtual void SetW(int32_t value) = 0;
  virtual int32_t GetH() const = 0;
  virtual void SetH(int32_t value) = 0;
  virtual const std::string& GetStereotype() const = 0;
  virtual void SetStereotype(const std::string& value) = 0;
  virtual const std::string& GetName() const = 0;
  virtual void SetName(const std::string& value) = 0;
  virtual const std::string& GetTypeName() const = 0;
  virtual void SetTypeName(const std::string& value) = 0;
};
using PElemType = std::shared_ptr<IElemType>;

class IClassType : public virtual IElemType {
 public:
  virtual bool GetUnderlined() const = 0;
  virtual void SetUnderlined(bool value) = 0;
  virtual PElemTable GetRelations() const = 0;
  virtual PElemTable GetMembers() const = 0;
  virtual void AddMember(const PClassMember& member) = 0;
  virtual void SetWritten(bool value) = 0;
  virtual bool GetWritten() const = 0;
  // The class's place in the writer's list of facts about the classes, kept with
  // the class so that its facts are found without a lookup by its address. Only
  // a hint: the list says whether the place is still the class's.
  virtual void SetFactsPlace(std::size_t value) = 0;
  virtual std::size_t GetFactsPlace() const = 0;
};
using PClassType = std::shared_ptr<IClassType>;

class IRelType : public virtual IElemType {
 public:
  virtual void SetHeadSize(int32_t value) = 0;
  virtual int32_t GetHeadSize() const = 0;
  // The classes at the tail and at the head end, or empty when none is recorded.
  virtual PClassType GetClass1() const = 0;
  virtual PClassType GetClass2() const = 0;
  virtual void SetDirection(int32_t value) = 0;
  virtual int32_t GetDirection() const = 0;
  virtual void SetLineStyle(char value) = 0;
  virtual char GetLineStyle() const = 0;
  virtual void SetMult1(const PElemTable& value) = 0;
  virtual void SetMult2(const PElemTable& value) = 0;
  virtual void SetRole1(const std::string& value) = 0;
  virtual void SetRole2(const std::string& value) = 0;
  virtual void SetQualifier1(const std::string& value) = 0;
  virtual void SetQualifier2(const std::string& value) = 0;
  virtual PElemTable GetMult1() const = 0;
  virtual PElemTable GetMult2() const = 0;
  virtual const std::string& GetRole1() const = 0;
  virtual const std::string& GetRole2() const = 0;
  virtual const std::string& GetQualifier1() const = 0;
  virtual const std::string& GetQualifier2() const = 0;
  virtual void SetStartX(int32_t value) = 0;
  virtual void SetStartY(int32_t value) = 0;
  virtual void SetEndX(int32_t value) = 0;
  virtual void SetEndY(int32_t value) = 0;
};
using PRelType = std::shared_ptr<IRelType>;

// A point in diagram coordinates.
struct LinePoint {
  int32_t x;
  int32_t y;
};

// A class box in diagram coordinates; right and bottom are X + W and Y + H,
// wrapped at 32 bits.
struct ClassBox {
  int32_t left, right, top, bottom;
};

// Coordinates that were never read.
inline constexpr int32_t kUnreadCoordinate = std::numeric_limits<int32_t>::min();

// A plain element: an element of a type the reader does not recognise, and the
// base of class and relation elements.
class TElemType : public virtual IElemType {
 public:
  TElemType() = default;
  IElement* GetSelf() override { return this; }
  int32_t GetX() const override { return x_; }
  void SetX(int32_t value) override { x_ = value; }
  int32_t GetY() const override { return y_; }
  void SetY(int32_t value) override { y_ = value; }
  int32_t GetW() const override { return w_; }
  void SetW(int32_t value) override { w_ = value; }
  int32_t GetH() const override { return h_; }
  void SetH(int32_t value) override { h_ = value; }
  const std::string& GetStereotype() const override { return stereotype_; }
  void SetStereotype(const std::string& value) override { stereotype_ = value; }
  const std::string& GetName() const override { return name_; }
  void SetName(const std::string& value) override { name_ = value; }
  const std::string& GetTypeName() const override { return typeName_; }
  void SetTypeName(const std::string& value) override { typeName_ = value; }

 protected:
  TElemType(int32_t coordinate, char lineStyle)
      : x_(coordinate), y_(coordinate), w_(coordinate), h_(coordinate), lineStyle_(lineStyle) {}

  int32_t x_ = kUnreadCoordinate;
  int32_t y_ = kUnreadCoordinate;
  int32_t w_ = kUnreadCoordinate;
  int32_t h_ = kUnreadCoordinate;
  std::string stereotype_;
  std::string name_;
  std::string typeName_;
  char lineStyle_ = '-';
};

// Can hand out a shared reference to itself, because the connection step passes
// the class to the relations it tests, and those keep only weak references.
class TClassType final : public TElemType,
                         public IClassType,
                         public std::enable_shared_from_this<TClassType> {
 public:
  // Its member table is made in memory.
  explicit TClassType(std::pmr::memory_resource& memory) : members_(NewElemTable(memory)) {}
  bool GetUnderlined() const override { return underlined_; }
  void SetUnderlined(bool value) override { underlined_ = value; }
  PElemTable GetRelations() const override { return relations_; }
  PElemTable GetMembers() const override { return members_; }
  void AddMember(const PClassMember& member) override;
  void SetWritten(bool value) override { written_ = value; }
  bool GetWritten() const override { return written_; }
  void SetFactsPlace(std::size_t value) override { factsPlace_ = value; }
  std::size_t GetFactsPlace() const override { return factsPlace_; }

  // Replaces Relations by the relations of the table that touch this class.
  void CollectRelations(const PElemTable& relations);
  // Replaces Relations by a table of relations known to touch this class.
  void SetRelations(const PElemTable& relations) { relations_ = relations; }
  // The box whose border the relations' ends touch.
  ClassBox Box() const;

 private:
  bool underlined_ = false;
  PElemTable members_;
  PElemTable relations_ = NoElements();
  bool written_ = false;
  std::size_t factsPlace_ = 0;
};

class TRelType : public TElemType, public IRelType {
 public:
  TRelType() : TElemType(0, '\0') {}
  void SetHeadSize(int32_t value) override { headSize_ = value; }
  int32_t GetHeadSize() const override { return headSize_; }
  PClassType GetClass1() const override { return class1_.lock(); }
  PClassType GetClass2() const override { return class2_.lock(); }
  void SetDirection(int32_t value) override { direction_ = value; }
  int32_t GetDirection() const override { return direction_; }
  void SetLineStyle(char value) override { lineStyle_ = value; }
  char GetLineStyle() const override { return lineStyle_; }
  void SetMult1(const PElemTable& value) override { mult1_ = value; }
  void SetMult2(const PElemTable& value) override { mult2_ = value; }
  void SetRole1(const std::string& value) override { role1_ = value; }
  void SetRole2(const std::string& value) override { role2_ = value; }
  void SetQualifier1(const std::string& value) override { qualifier1_ = value; }
  void SetQualifier2(const std::string& value) override { qualifier2_ = value; }
  PElemTable GetMult1() const override { return mult1_; }
  PElemTable GetMult2() const override { return mult2_; }
  const std::string& GetRole1() const override { return role1_; }
  const std::string& GetRole2() const override { return role2_; }
  const std::string& GetQualifier1() const override { return qualifier1_; }
  const std::string& GetQualifier2() const override { return qualifier2_; }
  void SetStartX(int32_t value) override { startX_ = value; }
  void SetStartY(int32_t value) override { startY_ = value; }
  void SetEndX(int32_t value) override { endX_ = value; }
  void SetEndY(int32_t value) override { endY_ = value; }

  // Records the class in Class1 or Class2 when an end point of the line lies on
  // the border of its box, or is an end found near the class; answers whether
  // one does.
  bool TryConnect(const std::shared_ptr<TClassType>& cls);
  // The class that the start or the end, lying on no class border, was found
  // near; TryConnect counts such an end as touching that class.
  void SetNearStart(const std::shared_ptr<TClassType>& cls);
  void SetNearEnd(const std::shared_ptr<TClassType>& cls);
  // The end points of the line in diagram coordinates, as TryConnect tests them.
  LinePoint StartPoint() const;
  LinePoint EndPoint() const;

 private:
  int32_t headSize_ = 0;
  int32_t direction_ = 0;
  PElemTable mult1_ = NoElements();
  PElemTable mult2_ = NoElements();
  std::string role1_;
  std::string role2_;
  std::string qualifier1_;
  std::string qualifier2_;
  int32_t startX_ = 0;
  int32_t startY_ = 0;
  int32_t endX_ = 0;
  int32_t endY_ = 0;
  // Non-owning: a class holds its relations, so the relation must not hold it.
  std::weak_ptr<TClassType> class1_;
  std::weak_ptr<TClassType> class2_;
  std::weak_ptr<TClassType> nearStart_;
  std::weak_ptr<TClassType> nearEnd_;
};

PElemType NewElemType();
// A class whose member table is made in memory.
PClassType NewClassType(std::pmr::memory_resource& memory = HeapMemory());
PRelType NewRelType();

// Checked downcasts: empty in, empty out; an object of another class raises
// "Invalid downcast of IElement to ..." (InvalidCastError).
PElemType ToElemType(const PElement& element);
PClassType ToClassType(const PElement& element);
PRelType ToRelType(const PElement& element);
