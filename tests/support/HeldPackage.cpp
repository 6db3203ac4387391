// A Tonel package's classes held whole, for the tests that look at them or write them as
// they are.
#include "support/HeldPackage.h"

#include <functional>
#include <utility>

#include "tonel/ClassSink.h"

namespace {

// Holds every class whole: it takes no comment as it is composed.
class AllClasses final : public ClassSink {
 public:
  explicit AllClasses(std::vector<TonelClass>& classes) : classes_(classes) {}
  TextSink* CommentOf(const std::string&) override { return nullptr; }
  void Take(const TonelClass& cls, const std::function<TonelClass()>&) override {
    classes_.push_back(cls);
  }

 private:
  std::vector<TonelClass>& classes_;
};

}  // namespace

std::vector<TonelClass> ComposeAllClasses(TonelPackage& package) {
  std::vector<TonelClass> classes;
  if (!package.composeClasses) return classes;
  AllClasses all(classes);
  package.composeClasses(all, package.notes);
  return classes;
}

TonelPackage PackageOfClasses(const std::string& name, std::vector<TonelClass> classes) {
  TonelPackage package{name};
  package.composeClasses = [classes = std::move(classes)](ClassSink& sink,
                                                          std::vector<std::string>&) {
    for (const TonelClass& cls : classes) sink.Take(cls, nullptr);
  };
  return package;
}
