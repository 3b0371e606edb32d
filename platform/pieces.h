#pragma once
// Splitting a text at a separator without copying it: the server's lists are
// read line by line and field by field in place, so a long or hostile list
// costs no memory beyond its own text.
#include <array>
#include <cstddef>
#include <string_view>

namespace platform {

// Hands out the pieces between separators of a text one by one, as a split
// would: "a::b" gives "a", "" and "b"; an empty text gives one empty piece.
class Pieces {
 public:
  Pieces(std::string_view text, std::string_view separator) : m_rest(text), m_separator(separator) {}
  // The next piece; false once every piece was given.
  bool next(std::string_view& piece) {
    if (m_done) return false;
    const std::size_t found = m_rest.find(m_separator);
    if (found == std::string_view::npos) {
      piece = m_rest;
      m_done = true;
      return true;
    }
    piece = m_rest.substr(0, found);
    m_rest.remove_prefix(found + m_separator.size());
    return true;
  }

 private:
  std::string_view m_rest;
  std::string_view m_separator;
  bool m_done = false;
};

// The lines of a server list: split at CR LF, or at LF when the text holds no CR LF.
inline Pieces list_lines(std::string_view text) {
  return Pieces(text, text.find("\r\n") != std::string_view::npos ? "\r\n" : "\n");
}

// The first N pieces of a text and how many pieces it has; counting stops at
// N + 1, which stands for "more than N" as much as a million does.
template <std::size_t N>
struct FirstPieces {
  std::array<std::string_view, N> piece{};
  int count = 0;
};

template <std::size_t N>
FirstPieces<N> first_pieces(std::string_view text, std::string_view separator) {
  FirstPieces<N> pieces;
  Pieces all(text, separator);
  for (std::string_view piece; pieces.count <= static_cast<int>(N) && all.next(piece); ++pieces.count) {
    if (pieces.count < static_cast<int>(N)) pieces.piece[static_cast<std::size_t>(pieces.count)] = piece;
  }
  return pieces;
}

}  // namespace platform
