// Standard error as the program's messages reach it: one line each, whatever the data inside.
// Texts from documents, dictionaries and commands may hold control characters, line feeds or
// bidirectional overrides that would rewrite the terminal or forge a second message; the sink
// tells them from the program's own words by their type and shows them escaped.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

class MessageSink {
public:
  // A line longer than this many bytes keeps its start and end around a note of what was left out.
  static constexpr std::size_t kMaxLine = 600;

  explicit MessageSink(std::ostream& out) : fOut(out) {}
  ~MessageSink();
  MessageSink(const MessageSink&) = delete;
  MessageSink& operator=(const MessageSink&) = delete;

  // String literals are the program's own words: a line feed in one ends the message line.
  template <std::size_t N> MessageSink& operator<<(const char (&text)[N]) {
    Literal(std::string_view(text, N - 1));
    return *this;
  }
  // Anything else is data (a const char* too, through std::string): shown escaped, never ending a
  // line.
  MessageSink& operator<<(const std::string& text);
  MessageSink& operator<<(int value);
  MessageSink& operator<<(long value);
  MessageSink& operator<<(unsigned long value);
  MessageSink& operator<<(double value);

  // A status line ("3 of 16 documents read") that the next status replaces and the next message
  // clears first, so that messages stay whole lines. Only for a terminal: nothing is written until
  // EnableStatus.
  void EnableStatus() { fStatusEnabled = true; }
  // Clears the status line and shows none from now on.
  void DisableStatus() {
    ClearStatus();
    fStatusEnabled = false;
  }
  void Status(const std::string& text);
  // Clears the status line, if one is shown.
  void ClearStatus();

  // `text` with C0 and C1 controls, DEL, bidirectional controls and invalid UTF-8 written as
  // visible escapes (\n, \t, \x1B, \u202E), so it stays on one line and reads as it is.
  static std::string Escaped(std::string_view text);
  // `line` cut to kMaxLine bytes: its start and end, with the number of bytes left out between.
  static std::string Shortened(const std::string& line);

private:
  void Literal(std::string_view text);

  std::ostream& fOut;
  std::string fLine;
  bool fStatusEnabled = false;
  bool fStatusShown = false;
};
