// What an image holds after filing in a chunk file, for comparing it with a Tonel package.
#include "ChunkImage.h"

#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

namespace {

constexpr std::string_view kBlanks = " \t\r\n\f";

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(kBlanks) == std::string_view::npos;
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  const std::size_t start = text.find_first_not_of(kBlanks);
  return start == std::string_view::npos ? std::string_view() : text.substr(start);
}

// The chunks: the text before each lone "!", then the rest, with "!!" as "!", and CR LF
// and a lone CR as LF, since the image takes either for a line end.
std::vector<std::string> Chunks(std::string_view file) {
  std::vector<std::string> chunks(1);
  for (std::size_t at = 0; at < file.size(); ++at) {
    const auto next = [&](char c) { return at + 1 < file.size() && file[at + 1] == c; };
    if (file[at] == '\r') {
      chunks.back() += '\n';
      if (next('\n')) ++at;
    } else if (file[at] != '!') {
      chunks.back() += file[at];
    } else if (next('!')) {
      chunks.back() += '!';
      ++at;
    } else {
      chunks.emplace_back();
    }
  }
  return chunks;
}

// A statement without the comments (the header and the notes) before it.
std::string_view Statement(std::string_view chunk) {
  for (chunk = WithoutLeadingBlanks(chunk); chunk.starts_with('"');
       chunk = WithoutLeadingBlanks(chunk)) {
    const std::size_t close = chunk.find('"', 1);
    if (close == std::string_view::npos) throw std::runtime_error("unclosed comment");
    chunk.remove_prefix(close + 1);
  }
  return chunk;
}

// A word between blanks, or a string literal without its quotes and with its doubled
// quotes single.
struct Token {
  bool literal = false;
  std::string text;
};

std::vector<Token> Tokens(std::string_view statement) {
  std::vector<Token> tokens;
  for (std::size_t at = statement.find_first_not_of(kBlanks); at != std::string_view::npos;
       at = statement.find_first_not_of(kBlanks, at)) {
    Token token{statement[at] == '\'', ""};
    if (!token.literal) {
      const std::size_t end = statement.find_first_of(kBlanks, at);
      token.text = statement.substr(at, end - at);
      at = end;
    } else {
      for (++at; at < statement.size(); ++at) {
        if (statement[at] == '\'' && (at + 1 == statement.size() || statement[at + 1] != '\'')) {
          break;
        }
        token.text += statement[at];
        if (statement[at] == '\'') ++at;
      }
      if (at == statement.size()) throw std::runtime_error("unclosed string");
      ++at;
    }
    tokens.push_back(std::move(token));
  }
  return tokens;
}

// Whether the tokens have the shape: words separated by spaces, "_" standing for any
// word and "'" for any literal.
bool Matches(const std::vector<Token>& tokens, std::string_view shape) {
  std::istringstream parts{std::string(shape)};
  std::size_t i = 0;
  for (std::string part; parts >> part; ++i) {
    if (i == tokens.size() || tokens[i].literal != (part == "'")) return false;
    if (part != "_" && part != "'" && part != tokens[i].text) return false;
  }
  return i == tokens.size();
}

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TonelClass& Known(std::map<std::string, TonelClass>& image, const std::string& name) {
  const auto found = image.find(name);
  if (found == image.end()) throw std::runtime_error("no class " + name + " is defined");
  return found->second;
}

void Define(TonelClass& cls, const TonelMethod& method) {
  for (std::size_t i = 0; i < cls.methods.size(); ++i) {
    const TonelMethod known = cls.methods[i];
    if (known.classSide == method.classSide && known.selector == method.selector) {
      cls.methods.Replace(i, method);
      return;
    }
  }
  cls.methods.push_back(method);
}

// Files in the method section whose header is chunk first; answers the blank chunk that
// ends it.
std::size_t FileInSection(const std::vector<std::string>& chunks, std::size_t first,
                          std::map<std::string, TonelClass>& image) {
  const std::vector<Token> header = Tokens(chunks[first]);
  const bool classSide = Matches(header, "_ class methodsFor: ' stamp: '");
  if (!classSide && !Matches(header, "_ methodsFor: ' stamp: '")) {
    throw std::runtime_error("not a method section: " + chunks[first]);
  }
  TonelClass& cls = Known(image, header[0].text);
  const std::string& protocol = header[classSide ? 3 : 2].text;
  std::size_t at = first + 1;
  for (; at + 1 < chunks.size() && !IsBlank(chunks[at]); ++at) {
    const std::string source(WithoutLeadingBlanks(chunks[at]));
    Define(cls, {classSide, protocol, ChunkSelector(source), source});
  }
  if (at + 1 >= chunks.size()) throw std::runtime_error("unended method section");
  return at;
}

void FileInStatement(const std::vector<Token>& tokens, std::map<std::string, TonelClass>& image) {
  if (Matches(tokens, "_ comment: '")) {
    Known(image, tokens[0].text).comment = tokens[2].text;
    return;
  }
  if (Matches(tokens, "_ class instanceVariableNames: '")) {
    Known(image, tokens[0].text).classInstVars = Words(tokens[3].text);
    return;
  }
  // Running a class-side initialize sets values, which a class file does not hold.
  if (Matches(tokens, "_ initialize")) {
    Known(image, tokens[0].text);
    return;
  }
  if (!Matches(tokens,
               "_ subclass: _ instanceVariableNames: ' classVariableNames: ' "
               "poolDictionaries: ' category: '") ||
      !tokens[2].text.starts_with('#')) {
    throw std::runtime_error("neither a definition nor a comment: " + tokens[0].text + " " +
                             tokens[1].text);
  }
  const std::string name = tokens[2].text.substr(1);
  TonelClass& cls = image[name];
  cls.name = name;
  cls.superclass = tokens[0].text;
  cls.instVars = Words(tokens[4].text);
  cls.classVars = Words(tokens[6].text);
  cls.category = cls.package = tokens[10].text;
  cls.comment.clear();
}

}  // namespace

std::string ChunkSelector(std::string_view source) {
  std::string text;
  for (std::size_t at = 0; at < source.size(); ++at) {
    if (source[at] != '"') {
      text += source[at];
      continue;
    }
    text += ' ';
    if ((at = source.find('"', at + 1)) == std::string_view::npos) break;
  }
  const std::vector<std::string> words = Words(text);
  if (words.empty()) return "";
  if (!words[0].ends_with(':')) return words[0];
  std::string selector;
  for (std::size_t i = 0; i < words.size() && words[i].ends_with(':'); i += 2) selector += words[i];
  return selector;
}

std::map<std::string, TonelClass> FileIn(std::string_view chunkFile) {
  std::map<std::string, TonelClass> image;
  const std::vector<std::string> chunks = Chunks(chunkFile);
  for (std::size_t i = 0; i < chunks.size(); ++i) {
    // An empty chunk, ended by the "!" that opens "!Name methodsFor: ...!", is followed
    // by a method section.
    if (IsBlank(chunks[i]) && i + 1 < chunks.size()) {
      i = FileInSection(chunks, i + 1, image);
    } else if (const std::string_view statement = Statement(chunks[i]); !statement.empty()) {
      FileInStatement(Tokens(statement), image);
    }
  }
  return image;
}
