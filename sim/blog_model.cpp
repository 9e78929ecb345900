#include "sim/blog_model.hpp"

#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

#include "net/endpoints.hpp"
#include "platform/codepage.hpp"
#include "sim/random.hpp"

namespace plimo::sim {
namespace {

// Several of these words hold syllables whose second byte in code page 949 is an ASCII letter
// (똠, 햏, 쌰, 뷁), so that a scanner which ignores character boundaries shows itself.
const std::vector<std::string> kTopics = {
    "봄날의 산책", "제주도 여행기",  "오늘의 점심", "똠방각하 독서 노트", "햏자의 하루", "비 오는 날의 음악",
    "주말 등산",   "새로 산 카메라", "겨울 바다",   "고양이 일기",        "커피 한 잔",  "서울 야경",
    "영화 감상",   "첫 출근",
};
const std::vector<std::string> kTitleEndings = {"", " (1)", " 후기", " 이야기", " - 둘째 날", " 정리"};
const std::vector<std::string> kCategoryNames = {
    "일상", "여행 이야기", "음악", "독서", "사진", "요리", "영화", "IT 소식", "스크랩", "쌰바의 메모",
};
const std::vector<std::string> kSentences = {
    "오늘은 날씨가 정말 좋았습니다.",      "사진 몇 장 올려 봅니다.",    "다음에 또 가고 싶네요.",
    "자세한 이야기는 아래에 적어 둡니다.", "햏햏, 재미있는 하루였어요.", "첨부 파일도 함께 올립니다.",
    "길을 잃어서 한참을 헤맸답니다.",      "뷁! 생각보다 어려웠어요.",
};
const std::vector<std::string> kNicknames = {
    "하늘바라기", "달빛소년", "똠양꿍", "나그네", "초록별", "커피향기", "산들바람", "뷁뷁이",
};
const std::vector<std::string> kCommentTexts = {
    "좋은 글 잘 보고 갑니다.", "사진이 정말 멋지네요!",  "저도 가 보고 싶어요.",
    "퍼 가도 될까요?",         "오랜만에 들렀습니다 ^^", "다음 글도 기대할게요.",
};
const std::vector<std::string> kRelayBlogs = {"여행자의 노트", "소소한 일상", "음악 다락방", "책 읽는 밤"};
const std::vector<std::string> kRelayTitles = {"저도 다녀왔어요", "비슷한 경험", "관련 글 남깁니다"};
const std::vector<std::string> kAttachmentNames = {"사진 원본", "여행 일정표", "지도", "메뉴판"};

constexpr int kMinutesPerDay = 24 * 60;

int NewestMinute(SeededRandom& random) {
  using namespace std::chrono;
  const int day = static_cast<int>(sys_days{year{2007} / March / 10}.time_since_epoch().count());
  return day * kMinutesPerDay + 15 * 60 + 20 - random.Below(60 * kMinutesPerDay);
}

std::string FormatMinute(int minute, const char* format = "%04d-%02d-%02d %02d:%02d") {
  using namespace std::chrono;
  const year_month_day date{sys_days{days{minute / kMinutesPerDay}}};
  const int minuteOfDay = minute % kMinutesPerDay;
  char text[32];
  std::snprintf(text, sizeof text, format, static_cast<int>(date.year()),
                static_cast<int>(static_cast<unsigned>(date.month())),
                static_cast<int>(static_cast<unsigned>(date.day())), minuteOfDay / 60, minuteOfDay % 60);
  return text;
}

std::string LowerCase(std::string text) {
  for (char& byte : text) {
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte - 'A' + 'a');
  }
  return text;
}

// Names on the file hosts carry their Korean in code page 949, percent-escaped.
std::string PercentEscapedCp949(const std::string& utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  const Text bytes = Utf8ToCp949(utf8).value();
  std::string escaped;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x80 && value != ' ') {
      escaped += byte;
    } else {
      escaped += '%';
      escaped += kHex[value >> 4];
      escaped += kHex[value & 0x0F];
    }
  }
  return escaped;
}

void CheckSpec(const BlogSpec& spec) {
  if (spec.id.empty()) throw std::invalid_argument("a blog needs an id");
  for (const char byte : spec.id) {
    const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                       (byte >= '0' && byte <= '9') || byte == '_' || byte == '-' || byte == '.';
    if (!plain) throw std::invalid_argument("a blog id holds letters, digits, '_', '-' and '.' only");
  }
  if (!Utf8ToCp949(spec.titleUtf8)) throw std::invalid_argument("the blog title must fit code page 949");
  const BlogShape& shape = spec.shape;
  for (const int count : {shape.listPages, shape.postsPerPage, shape.categories, shape.commentsPerPost,
                          shape.relaysPerPost, shape.imagesPerPost, shape.attachmentsPerPost}) {
    if (count < 0) throw std::invalid_argument("a blog's shape has no negative counts");
  }
}

std::vector<Category> MakeCategories(SeededRandom& random, int count) {
  std::vector<Category> categories;
  int key = random.Between(1, 20);
  for (int index = 0; index < std::max(count, 1); ++index) {
    std::string name = kCategoryNames[static_cast<size_t>(index) % kCategoryNames.size()];
    if (index >= static_cast<int>(kCategoryNames.size())) {
      name += " " + std::to_string(index / static_cast<int>(kCategoryNames.size()) + 1);
    }
    categories.push_back({std::to_string(key), name});
    key += random.Between(1, 9);
  }
  return categories;
}

std::string AviconUrl(int nickname) {
  return std::string("http://") + ITEM_IMAGE_HOST + "/avicon/" + std::to_string(nickname) + "/" +
         std::to_string(10 + nickname * 3) + "/av" + std::to_string(1000 + nickname) + ".gif";
}

// One emoticon in three entries stands after a tab (the form the archiver keeps), one in three after
// a space (the form it leaves alone), the rest have none.
void AddEmoticon(SeededRandom& random, ListEntry& entry) {
  const int choice = random.Below(3);
  if (choice == 2) return;
  entry.emoticonUrl = std::string(EMOTICON_PREFIX) + "e0" + std::to_string(random.Between(1, 9)) + ".gif";
  entry.emoticonAfterTab = choice == 0;
}

ListEntry MakeComment(SeededRandom& random, int minute) {
  ListEntry comment;
  const int nickname = random.Below(static_cast<int>(kNicknames.size()));
  comment.authorUtf8 = kNicknames[static_cast<size_t>(nickname)];
  comment.textUtf8 = random.Pick(kCommentTexts);
  comment.date = FormatMinute(minute);
  comment.aviconUrl = AviconUrl(nickname);
  AddEmoticon(random, comment);
  return comment;
}

ListEntry MakeRelay(SeededRandom& random, int minute) {
  ListEntry relay;
  relay.authorUtf8 = random.Pick(kRelayBlogs);
  relay.titleUtf8 = random.Pick(kRelayTitles);
  relay.textUtf8 = random.Pick(kSentences);
  relay.date = FormatMinute(minute);
  relay.aviconUrl = AviconUrl(static_cast<int>(kNicknames.size()) + random.Below(4));
  AddEmoticon(random, relay);
  return relay;
}

std::string ImageUrl(SeededRandom& random, const std::string& folder, const std::string& id,
                     const std::string& logNo, int index) {
  return std::string(BLOGFILES_PREFIX) + std::to_string(random.Between(1, 9)) + FILE_DOMAIN + "/" + folder +
         "/" + LowerCase(id) + "_" + logNo + "_" + std::to_string(index + 1) +
         (random.Below(2) == 0 ? ".jpg" : ".gif");
}

// Attachment names come plain, with an escaped space, or in escaped Korean.
std::pair<std::string, std::string> Attachment(SeededRandom& random, const std::string& folder,
                                               const std::string& logNo, int index) {
  const std::string& nameUtf8 = random.Pick(kAttachmentNames);
  const std::string extension = random.Below(2) == 0 ? ".jpg" : ".gif";
  const std::string suffix = "_" + logNo + "_" + std::to_string(index + 1) + extension;
  std::string fileName;
  std::string shownUtf8;
  switch (random.Below(3)) {
    case 0:
      fileName = PercentEscapedCp949(nameUtf8) + suffix;
      shownUtf8 = nameUtf8 + extension;
      break;
    case 1:
      fileName = "my%20photo" + suffix;
      shownUtf8 = "my photo" + extension;
      break;
    default:
      fileName = "original" + suffix;
      shownUtf8 = "original" + extension;
      break;
  }
  const std::string url = std::string(MFILES_PREFIX) + std::to_string(random.Between(1, 4)) + FILE_DOMAIN +
                          "/" + folder + "/" + fileName;
  return {url, shownUtf8};
}

Post MakePost(SeededRandom& random, const BlogSpec& spec, const std::vector<Category>& categories, int minute,
              const std::string& logNo, int listNumber, int postIndex) {
  const BlogShape& shape = spec.shape;
  Post post;
  PostModel& model = post.model;
  model.titleUtf8 = random.Pick(kTopics) + random.Pick(kTitleEndings);
  const Category& category = random.Pick(categories);
  model.categoryKey = category.key;
  model.categoryNameUtf8 = category.nameUtf8;
  model.date = FormatMinute(minute);
  model.logNo = logNo;
  model.listNumber = listNumber;
  model.comments = shape.commentsPerPost;
  model.relays = shape.relaysPerPost;
  for (int sentence = random.Between(1, 3); sentence > 0; --sentence) {
    post.paragraphsUtf8.push_back(random.Pick(kSentences));
  }

  const std::string folder =
      FormatMinute(minute, "%04d%02d%02d") + "_" + std::to_string(random.Between(1, 30));
  for (int index = 0; index < shape.imagesPerPost; ++index) {
    model.imageUrls.push_back(ImageUrl(random, folder, spec.id, logNo, index));
    post.imageForms.push_back(static_cast<ImageForm>((postIndex + index) % 3));
  }
  for (int index = 0; index < shape.attachmentsPerPost; ++index) {
    auto [url, shownUtf8] = Attachment(random, folder, logNo, index);
    model.attachmentUrls.push_back(url);
    post.attachmentNamesUtf8.push_back(shownUtf8);
  }

  int listMinute = minute;
  for (int index = 0; index < shape.commentsPerPost; ++index) {
    listMinute += random.Between(5, 600);
    post.comments.push_back(MakeComment(random, listMinute));
  }
  for (int index = 0; index < shape.relaysPerPost; ++index) {
    listMinute += random.Between(5, 600);
    post.relays.push_back(MakeRelay(random, listMinute));
  }
  for (const std::vector<ListEntry>* list : {&post.comments, &post.relays}) {
    for (const ListEntry& entry : *list) {
      model.aviconUrls.push_back(entry.aviconUrl);
      if (entry.emoticonUrl.empty()) continue;
      (entry.emoticonAfterTab ? model.emoticonUrls : model.looseEmoticonUrls).push_back(entry.emoticonUrl);
    }
  }
  return post;
}

}  // namespace

int GeneratedBlog::PostCount() const {
  int count = 0;
  for (const std::vector<Post>& page : pages) count += static_cast<int>(page.size());
  return count;
}

std::vector<std::string> GeneratedBlog::MediaUrls() const {
  std::vector<std::string> urls;
  for (const std::vector<Post>& page : pages) {
    for (const Post& post : page) {
      const PostModel& model = post.model;
      for (const auto* list : {&model.imageUrls, &model.attachmentUrls, &model.aviconUrls,
                               &model.emoticonUrls, &model.looseEmoticonUrls}) {
        urls.insert(urls.end(), list->begin(), list->end());
      }
    }
  }
  return urls;
}

GeneratedBlog GenerateBlog(const BlogSpec& spec) {
  CheckSpec(spec);
  GeneratedBlog blog;
  blog.spec = spec;
  SeededRandom random(HashText(LowerCase(spec.id)) ^ (uint64_t{spec.shape.seed} * 0x9E3779B97F4A7C15ull));
  if (blog.spec.titleUtf8.empty()) blog.spec.titleUtf8 = spec.id + "님의 블로그";
  blog.categories = MakeCategories(random, spec.shape.categories);
  if (spec.kind != BlogKind::Normal) return blog;

  int minute = NewestMinute(random);
  int logNumber = random.Between(120000000, 129999999);
  int postIndex = 0;
  for (int pageIndex = 0; pageIndex < spec.shape.listPages; ++pageIndex) {
    std::vector<Post>& page = blog.pages.emplace_back();
    for (int listNumber = 1; listNumber <= spec.shape.postsPerPage; ++listNumber) {
      page.push_back(MakePost(random, spec, blog.categories, minute, std::to_string(logNumber), listNumber,
                              postIndex++));
      minute -= random.Between(37, 2 * kMinutesPerDay);
      logNumber -= random.Between(1, 99);
    }
  }
  if (spec.shape.postsPerPage == 0) blog.pages.clear();
  return blog;
}

}  // namespace plimo::sim
