#include "archiver/comment_script.hpp"

#include <cstddef>
#include <iterator>

#include "platform/codepage.hpp"

namespace plimo {
namespace {

// The opening line keeps a space after the parenthesis and each comma: the page's own function is
// renamed by replacing "sublayer(ch,no,logNo)", and this one must not be caught by it. `$` and
// arrChkopen belong to the page.
constexpr const char* kScriptLines[] = {
    "<script>function sublayer( ch, no, logNo) {",
    "\tvar Cfrm = $('CommentFrm' + logNo);",
    "\tvar Rfrm = $('RewFrm' + logNo);",
    "\tvar Fc = $('Com' + no);",
    "\tvar Fc2 = $('Rew' + no);",
    "\tvar Fc3 = $('Comi' + no);",
    "\tif (ch == '1') { //덧글",
    "\t\tif (Cfrm.style.display == 'none' ||",
    "\t\t    arrChkopen[no] != ch) {",
    "\t\t\tCfrm.src = 'comment/R'+ch+no+logNo+'.html';",
    "\t\t\tCfrm.style.display = 'block';",
    "\t\t\tRfrm.style.display = 'none';",
    "\t\t\tFc.className = 'ico1';",
    "\t\t\tFc2.className = 'pcol2';",
    "\t\t\tFc3.className = 'pcol3 on';",
    "\t\t} else {",
    "\t\t\tCfrm.style.display = 'none';",
    "\t\t\tRfrm.style.display = 'none';",
    "\t\t\tFc.className = 'ico2';",
    "\t\t\tFc2.className = 'pcol2';",
    "\t\t\tFc3.className = 'pcol2';",
    "\t\t}",
    "\t} else if (ch == '2') { //엮인글",
    "\t\tif (Rfrm.style.display == 'none' ||",
    "\t\t    arrChkopen[no] != ch) {",
    "\t\t\tRfrm.src = 'comment/R'+ch+no+logNo+'.html';",
    "\t\t\tCfrm.style.display = 'none';",
    "\t\t\tRfrm.style.display = 'block';",
    "\t\t\tFc.className = 'ico1';",
    "\t\t\tFc2.className = 'pcol3 on';",
    "\t\t\tFc3.className = 'pcol2';",
    "\t\t} else {",
    "\t\t\tCfrm.style.display = 'none';",
    "\t\t\tRfrm.style.display = 'none';",
    "\t\t\tFc.className = 'ico2';",
    "\t\t\tFc2.className = 'pcol2';",
    "\t\t\tFc3.className = 'pcol2';",
    "\t\t}",
    "\t}",
    "\tarrChkopen[no] = ch;}</script>",
};
static_assert(std::size(kScriptLines) == 40);

}  // namespace

const Text& CommentScript() {
  static const Text script = [] {
    Text joined;
    for (std::size_t line = 0; line < std::size(kScriptLines); ++line) {
      if (line > 0) joined += "\r\n";
      joined += Cp949(kScriptLines[line]);
    }
    return joined;
  }();
  return script;
}

}  // namespace plimo
