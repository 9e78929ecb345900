#include "index/style_sheet.hpp"

#include "platform/codepage.hpp"
#include "platform/files.hpp"

namespace plimo {
namespace {

// The same bytes for every blog and every run. The borders keep the service's own spelling, a width
// without unit and a colour without '#': the saved pages have no document type, and browsers read
// such pages in the mode that still takes it.
constexpr const char* kStyleSheet = R"css(img {border:none}
SELECT {background-color:#FFFFFF}
body, table, tr, td, textarea {font-family:"돋움", "굴림", "seoul", "verdana", "arial"; font-size:9pt; color:#404040}

a:link {color:#333333; text-decoration:none}
a:visited {color:#333333; text-decoration:none}
a:hover {color:#999999; text-decoration:underline}
.mainlink:hover {color:#FFFFFF}

.box {font-family:"돋움", "굴림", "seoul", "verdana", "arial"; font-size:9pt; color:#000000; background-color:#FFFFFF; border:1 solid C4CAD1; padding:2px 0 0 3px}
.s_box {font-family:"돋움", "굴림", "seoul", "verdana", "arial"; font-size:9pt; color:#000000; background-color:#FFFFFF; border:1 solid C4CAD1; padding:2px 0 0 3px}
.ubox {font-family:"verdana", "arial"; font-size:9px; height:18px; color:#000000; background-color:#FFFFFF; border:1 solid C4CAD1; padding:2px 0 0 3px}
.tbox {font-family:"돋움", "굴림", "seoul", "verdana", "arial"; font-size:9pt; color:#000000; background-color:#FFFFFF; border:1 solid C4CAD1; padding:2px 0 0 3px; overflow:auto}

.eng {font-family:"verdana", "arial"; font-size:9px; color:#666666}
.eng2 {font-family:"돋움"; font-size:11px; color:#666666}
.englink {font-family:"verdana", "arial"; font-size:10px; color:#666666}
.small {font-family:"verdana", "arial"; font-size:9px; color:#404040}

.view {line-height:140%; word-break:break-all; text-align:justify}
.view2 {line-height:140%; word-break:break-all; text-align:justify; color:#787878}

/* 검색 링크 */
.s_link:link {color:#1A3588; text-decoration:underline}
.s_link:visited {color:#1A3588; text-decoration:underline}
.s_link:hover {color:#5573CB; text-decoration:underline}

/* 수정된 blink 링크 */
.blink:link {color:#315592; text-decoration:none}
.blink:visited {color:#315592; text-decoration:none}
.blink:hover {color:#5573CB; text-decoration:underline}

/* 컨탠츠 링크 */
.con_link:link {color:#0033CC; text-decoration:underline}
.con_link:visited {color:#0033CC; text-decoration:underline}
.con_link:hover {color:#5573CB; text-decoration:underline}

/* 비회원 gray */
.gray:link {color:#9B9B9B; text-decoration:none}
.gray:visited {color:#9B9B9B; text-decoration:none}
.gray:hover {color:#999999; text-decoration:underline}

/* 상단공통UI */
.plimo_menu:link {font-family:"굴림", "seoul"; color:#333333; text-decoration:none}
.plimo_menu:visited {font-family:"굴림", "seoul"; color:#333333; text-decoration:none}
.plimo_menu:hover {font-family:"굴림", "seoul"; color:#999999; text-decoration:underline}

.p5 {padding-left:5px; padding-right:5px}
.p10 {padding-left:10px; padding-right:10px}
.p20 {padding-left:20px; padding-right:20px}
.p30 {padding-left:30px; padding-right:30px}
.p40 {padding-left:40px; padding-right:40px}
.p11, .p11:link, .p11:visited, .p11:active, .p11:hover {font-size:11px}
.u, .u:link, .u:visited, .u:active, .u:hover {text-decoration:underline}
.b, .b:link, .b:visited, .b:active, .b:hover {font-weight:bold}
.ls {letter-spacing:-1px}
#b {font-weight:bold}
#o {color:#FF7635}
.gray_b {font-weight:bold; color:#A0A0A0}
.eng_gray {color:#9B9B9B; font-size:9px}

.pop_t {color:#FFFFFF; font-weight:bold; background-color:#8F8F8F}
.pop_b01 {text-align:center; background-color:#F7F1E3}
.pop_b02 {text-align:center; background-color:#EBEBEB}
.pop_b03 {background-color:#FEF3DB}
.Pt {font-family:"돋움"; font-weight:bold; font-size:14px; color:#333333; letter-spacing:-0.04em}
.Pt3 {font-family:"돋움"; font-weight:bold; font-size:12px; color:#333333; letter-spacing:-0.04em}
.ct {font-size:12px; color:#999999}
#w:link, #w:visited, #w:active, #w:hover {color:#FFFFFF}
#wb:link, #wb:visited, #wb:active, #wb:hover {color:#FFFFFF}

/* 블로그 메인 */
.mania, .mania:link, .mania:visited, .mania:hover {font-weight:bold; color:#3F8D1F}
.friend, .friend:link, .friend:visited, .friend:hover {font-weight:bold; color:#00778D}
.fbox {font-weight:bold; color:#616161; background-color:#FFFBF0; border:1 solid DBD7CD}
.Pt2, .Pt2:link, .Pt2:visited, .Pt2:hover {font-family:"돋움"; font-weight:bold; font-size:14px; color:#315592; text-decoration:underline}
.slink, .slink:link, .slink:visited, .slink:hover {font-weight:bold; color:#FF3600}
.clink, .clink:link, .clink:visited, .clink:hover {color:#404040}
.clink2, .clink2:link, .clink2:visited, .clink2:hover {font-weight:bold; color:#404040}
.cat {line-height:160%}
.category {height:20px}
.nav:link {color:#333333; text-decoration:none}
.nav:active {color:#FF7635; text-decoration:none}
.nav:visited {color:#333333; text-decoration:none}
.nav:hover {color:#999999; text-decoration:none}

/* 최근덧글, 다녀간 블로거 */
.co_list:link {color:#333333; text-decoration:none}
.co_list:visited {color:#333333; text-decoration:none}
.co_list:hover {color:#999999; text-decoration:underline}

/* 이웃블로그 */
.buddy_title:link {font-weight:bold; color:#333333; text-decoration:none}
.buddy_title:visited {font-weight:bold; color:#333333; text-decoration:none}
.buddy_title:hover {font-weight:bold; color:#999999; text-decoration:underline}
.buddy_list:link {color:#333333; text-decoration:none}
.buddy_list:visited {color:#333333; text-decoration:none}
.buddy_list:hover {color:#999999; text-decoration:underline}
.sm {font-family:"verdana"; font-size:9px; color:#333333}

/*color*/
.c, .c:link, .c:visited, .c:active, .c:hover {color:#000000}
.w, .w:link, .w:visited, .w:active, .w:hover {color:#FFFFFF}
.gray01, .gray01:link, .gray01:visited, .gray01:active, .gray01:hover {color:#404040}
.gray02, .gray02:link, .gray02:visited, .gray02:active, .gray02:hover {color:#7D7D7D}
.gray03, .gray03:link, .gray03:visited, .gray03:active, .gray03:hover {color:#7B7B7B}
.gray05, .gray05:link, .gray05:visited, .gray05:active, .gray05:hover {color:#666666}
.gray06, .gray06:link, .gray06:visited, .gray06:active, .gray06:hover {color:#AFAFAF}
.gr04, .gr04:link, .gr04:visited, .gr04:active, .gr04:hover {color:#60964D}
.gr02, .gr02:link, .gr02:visited, .gr02:active, .gr02:hover {color:#3F8D1F}
.gr01, .gr01:link, .gr01:visited, .gr01:active, .gr01:hover {color:#337700}
.bl01, .bl01:link, .bl01:visited, .bl01:active, .bl01:hover {color:#084D8C}

P {margin-top:2px; margin-bottom:2px} 
.itemSubjectBoldfont {font-family:"돋움"; font-weight:bold; font-size:12px; color:#333333; letter-spacing:-0.04em})css";

}  // namespace

bool WriteStyleSheet(const Text& backupDir) {
  return WriteTextFile(backupDir + "\\paper.css", Cp949(kStyleSheet), WriteMode::Create);
}

}  // namespace plimo
