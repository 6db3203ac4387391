// One class file of a Tonel package, as the layout writes it and the reader reads it.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A method as Smalltalk holds it. Its source is the whole method text: the
// pattern (keywords and argument names), then the rest, with LF line ends and
// nothing escaped. The texts are views: into the class's buffer for a method of a
// class, valid until that class's methods next change.
struct TonelMethod {
  bool classSide = false;
  std::string_view category;  // the protocol
  std::string_view selector;  // "at:put:", "+", "size"
  std::string_view source;

  bool operator==(const TonelMethod&) const = default;
};

// A class's methods in file order, their texts in one buffer: a class of millions of
// methods costs one growing allocation for their texts, not one per text. A method
// replaced by a longer one leaves its old texts behind until the unused texts outweigh
// the used ones.
class TonelMethods {
 public:
  class Iterator {
   public:
    using iterator_category = std::input_iterator_tag;
    using value_type = TonelMethod;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = const TonelMethod;

    Iterator() = default;
    Iterator(const TonelMethods* methods, std::size_t index) : methods_(methods), index_(index) {}
    const TonelMethod operator*() const { return (*methods_)[index_]; }
    Iterator& operator++() {
      ++index_;
      return *this;
    }
    Iterator operator++(int) {
      Iterator was = *this;
      ++index_;
      return was;
    }
    bool operator==(const Iterator&) const = default;

   private:
    const TonelMethods* methods_ = nullptr;
    std::size_t index_ = 0;
  };
  using value_type = TonelMethod;
  using iterator = Iterator;
  using const_iterator = Iterator;

  TonelMethods() = default;
  TonelMethods(std::initializer_list<TonelMethod> methods);
  TonelMethods& operator=(std::initializer_list<TonelMethod> methods);

  std::size_t size() const { return places_.size(); }
  bool empty() const { return places_.empty(); }
  // Const, so that assigning to a text of the answer, which would change nothing, does
  // not compile.
  const TonelMethod operator[](std::size_t index) const;
  const TonelMethod front() const { return (*this)[0]; }
  Iterator begin() const { return {this, 0}; }
  Iterator end() const { return {this, size()}; }

  // Copies the method's texts in, with no draft begun; they may be views into this
  // class's own buffer.
  void push_back(const TonelMethod& method);
  void Replace(std::size_t index, const TonelMethod& method);

  // A method's source composed straight into the buffer, piece by piece, so that a
  // method of megabytes is never copied: AppendToDraft, then AddDraft or ReplaceWithDraft.
  void AppendToDraft(std::string_view text) { text_.append(text); }
  std::string_view Draft() const { return std::string_view(text_).substr(draft_); }
  // The draft's text becomes the given one, which must not be a view into the buffer.
  void RewriteDraft(std::string_view source);
  void AddDraft(bool classSide, std::string_view category, std::string_view selector);
  // The method at the index, of the same side, becomes the draft's. The category and
  // selector must not be views into the buffer.
  void ReplaceWithDraft(std::size_t index, std::string_view category, std::string_view selector);

  // The same methods in the same order, wherever their texts stand.
  bool operator==(const TonelMethods& other) const;

 private:
  // The source, then the category, then the selector.
  struct Place {
    std::size_t at = 0;
    std::size_t source = 0;
    std::size_t category = 0;
    std::size_t selector = 0;
    bool classSide = false;
  };

  // The draft's method, with the category and selector put after its source.
  Place EndDraft(bool classSide, std::string_view category, std::string_view selector);
  // Puts the texts at the buffer's end, where they may be views into it.
  void AppendTexts(std::initializer_list<std::string_view> texts);
  void Forget(const Place& place);

  std::string text_;
  std::vector<Place> places_;
  std::size_t draft_ = 0;   // where the draft starts; the buffer's end when there is none
  std::size_t unused_ = 0;  // bytes of replaced texts
};

// A class definition and its methods. Texts are held unescaped: the comment
// without its doubled quotes, every value without its STON escapes.
struct TonelClass {
  std::string comment;         // empty when the file has none
  std::string kind = "Class";  // the word before the definition: Class, Trait, Extension
  std::string name;
  std::string superclass;
  std::vector<std::string> instVars;
  std::vector<std::string> classVars;
  std::vector<std::string> classInstVars;
  std::string category;
  std::string package;
  // Definition entries this program does not write (#tag, #traits, ...), in
  // file order: the key without its "#", the value as the file spells it.
  std::vector<std::pair<std::string, std::string>> otherEntries;
  TonelMethods methods;  // in file order

  bool operator==(const TonelClass&) const = default;
};
