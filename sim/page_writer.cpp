#include "sim/page_writer.hpp"

#include <optional>
#include <stdexcept>

#include "platform/codepage.hpp"

namespace plimo::sim {

std::string PageWriter::Cp949Page() const {
  std::optional<Text> page = Utf8ToCp949(utf8_);
  if (!page) throw std::logic_error("a served page holds a character outside code page 949");
  return *page;
}

}  // namespace plimo::sim
