#include "sim/pictures.hpp"

#include <array>

#include "sim/random.hpp"

namespace plimo::sim {
namespace {

constexpr int kSide = 16;

void PutWord(std::string& out, int value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutBigEndianWord(std::string& out, int value) {
  out += static_cast<char>((value >> 8) & 0xFF);
  out += static_cast<char>(value & 0xFF);
}

// Packs codes least significant bit first, as GIF's LZW data wants.
class GifBits {
 public:
  void Put(int code, int width) {
    for (int bit = 0; bit < width; ++bit) {
      if (((code >> bit) & 1) != 0) current_ |= static_cast<unsigned char>(1u << used_);
      if (++used_ == 8) Flush();
    }
  }
  std::string Finish() {
    if (used_ > 0) Flush();
    return bytes_;
  }

 private:
  void Flush() {
    bytes_ += static_cast<char>(current_);
    current_ = 0;
    used_ = 0;
  }
  std::string bytes_;
  unsigned char current_ = 0;
  int used_ = 0;
};

// Packs bits most significant first and stuffs a zero after every 0xFF, as JPEG's entropy data wants.
class JpegBits {
 public:
  void Put(int value, int width) {
    for (int bit = width - 1; bit >= 0; --bit) {
      current_ = static_cast<unsigned char>((current_ << 1) | ((value >> bit) & 1));
      if (++used_ == 8) Flush();
    }
  }
  std::string Finish() {
    while (used_ != 0) Put(1, 1);
    return bytes_;
  }

 private:
  void Flush() {
    bytes_ += static_cast<char>(current_);
    if (current_ == 0xFF) bytes_ += '\0';
    current_ = 0;
    used_ = 0;
  }
  std::string bytes_;
  unsigned char current_ = 0;
  int used_ = 0;
};

int ColourIndexAt(int x, int y) {
  if (x == 0 || y == 0 || x == kSide - 1 || y == kSide - 1) return 3;
  return ((x / 4 + y / 4) % 2) + 1;
}

// Clearing the table after every two pixels keeps every code three bits wide, which spares the
// encoder the dictionary without leaving the format.
std::string GifPixelData() {
  constexpr int kClear = 4;
  constexpr int kEnd = 5;
  constexpr int kCodeWidth = 3;
  GifBits bits;
  for (int pixel = 0; pixel < kSide * kSide; pixel += 2) {
    bits.Put(kClear, kCodeWidth);
    bits.Put(ColourIndexAt(pixel % kSide, pixel / kSide), kCodeWidth);
    bits.Put(ColourIndexAt((pixel + 1) % kSide, (pixel + 1) / kSide), kCodeWidth);
  }
  bits.Put(kEnd, kCodeWidth);
  return bits.Finish();
}

void PutSegment(std::string& out, int marker, const std::string& payload) {
  out += '\xFF';
  out += static_cast<char>(marker);
  PutBigEndianWord(out, static_cast<int>(payload.size()) + 2);
  out += payload;
}

int BitLength(int magnitude) {
  int length = 0;
  while (magnitude > 0) {
    ++length;
    magnitude >>= 1;
  }
  return length;
}

}  // namespace

std::string MakeGif(uint64_t seed) {
  SeededRandom random(seed);
  std::string gif = "GIF89a";
  PutWord(gif, kSide);
  PutWord(gif, kSide);
  gif += '\xF1';  // a global table of four colours, eight bits per primary
  gif += '\0';
  gif += '\0';
  gif += "\xFF\xFF\xFF";
  for (int colour = 1; colour < 4; ++colour) {
    for (int primary = 0; primary < 3; ++primary) gif += static_cast<char>(random.Below(256));
  }
  gif += ',';
  PutWord(gif, 0);
  PutWord(gif, 0);
  PutWord(gif, kSide);
  PutWord(gif, kSide);
  gif += '\0';
  gif += '\x02';  // the smallest LZW code size, for four colours
  const std::string data = GifPixelData();
  for (size_t start = 0; start < data.size(); start += 255) {
    const std::string block = data.substr(start, 255);
    gif += static_cast<char>(block.size());
    gif += block;
  }
  gif += '\0';
  gif += ';';
  return gif;
}

std::string MakeJpeg(uint64_t seed) {
  SeededRandom random(seed);
  std::string jpeg = "\xFF\xD8";
  PutSegment(jpeg, 0xE0, std::string("JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 14));
  // One quantiser of 8 everywhere: a flat block's DC coefficient is then its shade minus 128.
  PutSegment(jpeg, 0xDB, std::string(1, '\0') + std::string(64, '\x08'));
  std::string frame = "\x08";
  PutBigEndianWord(frame, kSide);
  PutBigEndianWord(frame, kSide);
  frame += std::string("\x01\x01\x11\x00", 4);
  PutSegment(jpeg, 0xC0, frame);
  // DC table: the twelve size categories, each coded in four bits as its own number.
  std::string dcTable(1, '\0');
  std::array<char, 16> dcCounts{};
  dcCounts[3] = 12;
  dcTable.append(dcCounts.data(), dcCounts.size());
  for (char category = 0; category < 12; ++category) dcTable += category;
  PutSegment(jpeg, 0xC4, dcTable);
  // AC table: end-of-block (00) and a run of sixteen zeros (01); only the first is ever written.
  std::string acTable = "\x10";
  std::array<char, 16> acCounts{};
  acCounts[1] = 2;
  acTable.append(acCounts.data(), acCounts.size());
  acTable += std::string("\x00\xF0", 2);
  PutSegment(jpeg, 0xC4, acTable);
  PutSegment(jpeg, 0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6));

  JpegBits bits;
  int previous = 0;
  for (int block = 0; block < 4; ++block) {
    const int shade = random.Between(30, 225);
    const int coefficient = shade - 128;
    const int difference = coefficient - previous;
    previous = coefficient;
    const int category = BitLength(difference < 0 ? -difference : difference);
    bits.Put(category, 4);
    if (category > 0) bits.Put(difference >= 0 ? difference : difference + (1 << category) - 1, category);
    bits.Put(0, 2);
  }
  jpeg += bits.Finish();
  jpeg += "\xFF\xD9";
  return jpeg;
}

std::string PictureFor(std::string_view url) {
  const uint64_t seed = HashText(url);
  constexpr std::string_view gifEnding = ".gif";
  const bool isGif = url.size() >= gifEnding.size() && url.substr(url.size() - gifEnding.size()) == gifEnding;
  return isGif ? MakeGif(seed) : MakeJpeg(seed);
}

}  // namespace plimo::sim
