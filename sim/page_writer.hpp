// Builds a served page line by line in UTF-8 and hands it out in code page 949, with the mix of CR LF
// and bare LF line ends that the service's pages have.
#pragma once

#include <string>
#include <string_view>

namespace plimo::sim {

class PageWriter {
 public:
  // Appends without ending the line.
  PageWriter& operator<<(std::string_view utf8) {
    utf8_ += utf8;
    return *this;
  }
  PageWriter& operator<<(int number) {
    utf8_ += std::to_string(number);
    return *this;
  }

  // Appends and ends the line: every third line with a bare LF, the others with CR LF.
  PageWriter& Line(std::string_view utf8 = {}) {
    utf8_ += utf8;
    utf8_ += ++lines_ % 3 == 0 ? "\n" : "\r\n";
    return *this;
  }

  // The page in code page 949. Throws std::logic_error if it holds a character that the code page
  // lacks, which only a title that was not checked on the way in could bring.
  std::string Cp949Page() const;

 private:
  std::string utf8_;
  int lines_ = 0;
};

}  // namespace plimo::sim
