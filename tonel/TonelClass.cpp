// A class's methods, their texts in one buffer.
#include "tonel/TonelClass.h"

#include <algorithm>

TonelMethods::TonelMethods(std::initializer_list<TonelMethod> methods) {
  for (const TonelMethod& method : methods) push_back(method);
}

TonelMethods& TonelMethods::operator=(std::initializer_list<TonelMethod> methods) {
  TonelMethods made(methods);
  *this = std::move(made);
  return *this;
}

const TonelMethod TonelMethods::operator[](std::size_t index) const {
  const Place& place = places_[index];
  const std::string_view text = std::string_view(text_).substr(place.at);
  return {place.classSide, text.substr(place.source, place.category),
          text.substr(place.source + place.category, place.selector), text.substr(0, place.source)};
}

void TonelMethods::AppendTexts(std::initializer_list<std::string_view> texts) {
  std::size_t size = text_.size();
  for (const std::string_view text : texts) size += text.size();
  if (size <= text_.capacity()) {
    // Nothing moves: a view into the buffer stays valid, and ends before what is added.
    for (const std::string_view text : texts) text_.append(text);
    return;
  }
  // The old buffer lives until the texts, which may be views into it, are copied.
  std::string grown;
  grown.reserve(std::max(size, 2 * text_.capacity()));
  grown.append(text_);
  for (const std::string_view text : texts) grown.append(text);
  text_.swap(grown);
}

void TonelMethods::push_back(const TonelMethod& method) {
  const Place place{text_.size(), method.source.size(), method.category.size(),
                    method.selector.size(), method.classSide};
  AppendTexts({method.source, method.category, method.selector});
  places_.push_back(place);
  draft_ = text_.size();
}

void TonelMethods::Replace(std::size_t index, const TonelMethod& method) {
  push_back(method);
  const Place was = places_[index];
  places_[index] = places_.back();
  places_.pop_back();
  Forget(was);
}

void TonelMethods::RewriteDraft(std::string_view source) {
  text_.resize(draft_);
  text_.append(source);
}

TonelMethods::Place TonelMethods::EndDraft(bool classSide, std::string_view category,
                                           std::string_view selector) {
  const Place place{draft_, text_.size() - draft_, category.size(), selector.size(), classSide};
  AppendTexts({category, selector});
  draft_ = text_.size();
  return place;
}

void TonelMethods::AddDraft(bool classSide, std::string_view category, std::string_view selector) {
  places_.push_back(EndDraft(classSide, category, selector));
}

// A composition that repeats a member composes its methods again, each as long as the
// one it replaces: the draft's texts go where that one's stood, and the buffer does not
// grow with the repeats.
void TonelMethods::ReplaceWithDraft(std::size_t index, std::string_view category,
                                    std::string_view selector) {
  const Place was = places_[index];
  const std::size_t source = text_.size() - draft_;
  const std::size_t length = source + category.size() + selector.size();
  const std::size_t room = was.source + was.category + was.selector;
  if (length > room) {
    places_[index] = EndDraft(was.classSide, category, selector);
    Forget(was);
    return;
  }
  // The old texts stand before the draft, apart from it.
  char* to = std::copy_n(text_.data() + draft_, source, text_.data() + was.at);
  to = std::copy_n(category.data(), category.size(), to);
  std::copy_n(selector.data(), selector.size(), to);
  text_.resize(draft_);
  places_[index] = {was.at, source, category.size(), selector.size(), was.classSide};
  unused_ += room - length;
}

// Once the unused texts outweigh the used ones, the used ones are copied together; so
// each byte replaced costs at most one byte copied.
void TonelMethods::Forget(const Place& place) {
  unused_ += place.source + place.category + place.selector;
  if (unused_ <= text_.size() - unused_) return;
  std::string kept;
  kept.reserve(text_.size() - unused_);
  for (Place& each : places_) {
    const std::size_t length = each.source + each.category + each.selector;
    const std::size_t at = kept.size();
    kept.append(text_, each.at, length);
    each.at = at;
  }
  text_.swap(kept);
  unused_ = 0;
  draft_ = text_.size();
}

bool TonelMethods::operator==(const TonelMethods& other) const {
  return std::equal(begin(), end(), other.begin(), other.end());
}
