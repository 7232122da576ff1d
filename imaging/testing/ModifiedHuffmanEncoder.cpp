#include "imaging/testing/ModifiedHuffmanEncoder.h"

#include <array>

namespace imaging::testing {

namespace {

// The codes as the fax recommendation prints them, kept as text on purpose:
// this encoder is checked against libtiff, so it must not share tables with
// the decoder that it checks.
const char* const kWhiteTerminating[64] = {
    "00110101", "000111",   "0111",     "1000",     "1011",     "1100",     "1110",     "1111",
    "10011",    "10100",    "00111",    "01000",    "001000",   "000011",   "110100",   "110101",
    "101010",   "101011",   "0100111",  "0001100",  "0001000",  "0010111",  "0000011",  "0000100",
    "0101000",  "0101011",  "0010011",  "0100100",  "0011000",  "00000010", "00000011", "00011010",
    "00011011", "00010010", "00010011", "00010100", "00010101", "00010110", "00010111", "00101000",
    "00101001", "00101010", "00101011", "00101100", "00101101", "00000100", "00000101", "00001010",
    "00001011", "01010010", "01010011", "01010100", "01010101", "00100100", "00100101", "01011000",
    "01011001", "01011010", "01011011", "01001010", "01001011", "00110010", "00110011", "00110100"};

const char* const kBlackTerminating[64] = {
    "0000110111",   "010",          "11",           "10",           "011",          "0011",         "0010",
    "00011",        "000101",       "000100",       "0000100",      "0000101",      "0000111",      "00000100",
    "00000111",     "000011000",    "0000010111",   "0000011000",   "0000001000",   "00001100111",  "00001101000",
    "00001101100",  "00000110111",  "00000101000",  "00000010111",  "00000011000",  "000011001010", "000011001011",
    "000011001100", "000011001101", "000001101000", "000001101001", "000001101010", "000001101011", "000011010010",
    "000011010011", "000011010100", "000011010101", "000011010110", "000011010111", "000001101100", "000001101101",
    "000011011010", "000011011011", "000001010100", "000001010101", "000001010110", "000001010111", "000001100100",
    "000001100101", "000001010010", "000001010011", "000000100100", "000000110111", "000000111000", "000000100111",
    "000000101000", "000001011000", "000001011001", "000000101011", "000000101100", "000001011010", "000001100110",
    "000001100111"};

// Make-up codes for 64, 128, ... 1728.
const char* const kWhiteMakeUp[27] = {"11011",     "10010",     "010111",    "0110111",   "00110110",  "00110111",
                                      "01100100",  "01100101",  "01101000",  "01100111",  "011001100", "011001101",
                                      "011010010", "011010011", "011010100", "011010101", "011010110", "011010111",
                                      "011011000", "011011001", "011011010", "011011011", "010011000", "010011001",
                                      "010011010", "011000",    "010011011"};

const char* const kBlackMakeUp[27] = {
    "0000001111",    "000011001000",  "000011001001",  "000001011011",  "000000110011",  "000000110100",
    "000000110101",  "0000001101100", "0000001101101", "0000001001010", "0000001001011", "0000001001100",
    "0000001001101", "0000001110010", "0000001110011", "0000001110100", "0000001110101", "0000001110110",
    "0000001110111", "0000001010010", "0000001010011", "0000001010100", "0000001010101", "0000001011010",
    "0000001011011", "0000001100100", "0000001100101"};

// Make-up codes for 1792, 1856, ... 2560, the same for both colours.
const char* const kExtendedMakeUp[13] = {"00000001000",  "00000001100",  "00000001101",  "000000010010", "000000010011",
                                         "000000010100", "000000010101", "000000010110", "000000010111", "000000011100",
                                         "000000011101", "000000011110", "000000011111"};

class BitWriter {
 public:
  void Put(const char* code) {
    for (; *code; ++code) {
      m_byte = static_cast<std::uint8_t>((m_byte << 1) | (*code == '1'));
      if (++m_bits == 8) Flush();
    }
  }
  std::string Finish() {
    if (m_bits) {
      m_byte = static_cast<std::uint8_t>(m_byte << (8 - m_bits));
      Flush();
    }
    return std::move(m_out);
  }

 private:
  void Flush() {
    m_out.push_back(static_cast<char>(m_byte));
    m_byte = 0;
    m_bits = 0;
  }
  std::string m_out;
  std::uint8_t m_byte = 0;
  int m_bits = 0;
};

void PutRun(BitWriter& out, int run, bool black) {
  const char* const* makeUp = black ? kBlackMakeUp : kWhiteMakeUp;
  const char* const* terminating = black ? kBlackTerminating : kWhiteTerminating;
  while (run >= 2560 + 64) {  // the longest make-up code, repeated
    out.Put(kExtendedMakeUp[12]);
    run -= 2560;
  }
  if (run >= 1792) {
    out.Put(kExtendedMakeUp[(run - 1792) / 64]);
    run %= 64;
  } else if (run >= 64) {
    out.Put(makeUp[run / 64 - 1]);
    run %= 64;
  }
  out.Put(terminating[run]);
}

}  // namespace

std::string EncodeModifiedHuffmanRow(const Bilevel& image, int row) {
  BitWriter out;
  int x = 0;
  bool black = false;
  do {
    int run = 0;
    while (x < image.width && (image.At(x, row) != 0) == black) {
      ++run;
      ++x;
    }
    PutRun(out, run, black);
    black = !black;
  } while (x < image.width);
  return out.Finish();
}

std::string EncodeModifiedHuffmanRows(const Bilevel& image, int first, int count) {
  std::string out;
  for (int row = first; row < first + count && row < image.height; ++row) out += EncodeModifiedHuffmanRow(image, row);
  return out;
}

}  // namespace imaging::testing
