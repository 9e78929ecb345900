// Draws the window's artwork (the two skins, the eight button strips and the icon) into a folder as
// PNG files. scripts/draw-artwork runs it to refresh res/bitmaps/.
#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <cstdio>
#include <functional>

#include "app/dialog_layout.hpp"

namespace {

using namespace plimo;

struct Palette {
  QColor bandTop;
  QColor bandBottom;
  QColor bandHighlight;
  QColor bandEdge;
  QColor titleText;
  QColor titleShadow;
  QColor border;
  QColor fieldFrame;
  QColor buttonTop;
  QColor buttonBottom;
  QColor buttonEdge;
  QColor caption;
  QColor hoverCaption;
  QColor iconArrow;
};

const Palette kActive{QColor(0x58, 0xbe, 0x65), QColor(0x2e, 0x94, 0x3f), QColor(0x86, 0xd4, 0x90),
                      QColor(0x22, 0x74, 0x31), QColor(Qt::white),        QColor(0x1d, 0x66, 0x29),
                      QColor(0x2a, 0x80, 0x38), QColor(0x9d, 0xc4, 0xa3), QColor(0x4f, 0xbc, 0x5d),
                      QColor(0x2b, 0x8c, 0x3a), QColor(0x22, 0x70, 0x2e), QColor(Qt::white),
                      QColor(0xff, 0xe3, 0x4d), QColor(0xff, 0xe3, 0x4d)};

const Palette kInactive{QColor(0xc9, 0xcb, 0xc9), QColor(0xa5, 0xa8, 0xa5), QColor(0xdc, 0xde, 0xdc),
                        QColor(0x8e, 0x91, 0x8e), QColor(0xf8, 0xf8, 0xf8), QColor(0x86, 0x89, 0x86),
                        QColor(0x9b, 0x9e, 0x9b), QColor(0xbd, 0xc0, 0xbd), QColor(0xbd, 0xbf, 0xbd),
                        QColor(0x98, 0x9b, 0x98), QColor(0x86, 0x89, 0x86), QColor(0xfb, 0xfb, 0xfb),
                        QColor(0xd9, 0xdb, 0xd9), QColor(0xe4, 0xe6, 0xe4)};

const QColor kBody(0xf4, 0xf6, 0xf4);
const QColor kFooter(0xea, 0xee, 0xea);
const QColor kHairline(0xdb, 0xe2, 0xdb);
const QColor kLabel(0x38, 0x3e, 0x38);
const QColor kFootnote(0x8a, 0x93, 0x8a);
const QColor kCorner(255, 0, 255);

QFont Font(int pixels, QFont::Weight weight) {
  QFont font("NanumGothic");
  font.setPixelSize(pixels);
  font.setWeight(weight);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawIcon(QPainter& painter, const QRectF& area, const Palette& palette) {
  const qreal unit = area.width() / 32.0;
  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  fill.setColorAt(0, palette.buttonTop);
  fill.setColorAt(1, palette.buttonBottom);
  painter.setPen(QPen(palette.buttonEdge, unit));
  painter.setBrush(fill);
  painter.drawRoundedRect(area.adjusted(unit / 2, unit / 2, -unit / 2, -unit / 2), 7 * unit, 7 * unit);
  // A page with a downward arrow: the blog, brought home.
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  const QPointF origin = area.topLeft();
  painter.drawRoundedRect(QRectF(origin + QPointF(8 * unit, 5 * unit), QSizeF(16 * unit, 15 * unit)),
                          2 * unit, 2 * unit);
  painter.setBrush(palette.buttonBottom);
  for (int line = 0; line < 3; ++line)
    painter.drawRect(
        QRectF(origin + QPointF(11 * unit, (8 + 3.5 * line) * unit), QSizeF(10 * unit, 1.6 * unit)));
  painter.setBrush(palette.iconArrow);
  QPainterPath arrow;
  arrow.moveTo(origin + QPointF(13 * unit, 18 * unit));
  arrow.lineTo(origin + QPointF(19 * unit, 18 * unit));
  arrow.lineTo(origin + QPointF(19 * unit, 22 * unit));
  arrow.lineTo(origin + QPointF(23 * unit, 22 * unit));
  arrow.lineTo(origin + QPointF(16 * unit, 28.5 * unit));
  arrow.lineTo(origin + QPointF(9 * unit, 22 * unit));
  arrow.lineTo(origin + QPointF(13 * unit, 22 * unit));
  arrow.closeSubpath();
  painter.setPen(QPen(palette.buttonEdge, unit));
  painter.drawPath(arrow);
}

QImage DrawSkin(const Palette& palette) {
  const int width = skin::kWindowSize.width();
  const int height = skin::kWindowSize.height();
  QImage image(skin::kWindowSize, QImage::Format_RGB32);
  image.fill(kBody);
  QPainter painter(&image);

  QLinearGradient band(0, 0, 0, skin::kTitleBandHeight);
  band.setColorAt(0, palette.bandTop);
  band.setColorAt(1, palette.bandBottom);
  painter.fillRect(0, 0, width, skin::kTitleBandHeight, band);
  painter.fillRect(0, 1, width, 1, palette.bandHighlight);
  painter.fillRect(0, skin::kTitleBandHeight - 1, width, 1, palette.bandEdge);

  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  DrawIcon(painter, QRectF(7, 6, 16, 16), palette);
  painter.restore();

  const QString title = QString::fromUtf8("Plimo 블로그 백업 프로그램");
  painter.setFont(Font(13, QFont::Bold));
  const QRect titleArea(29, 0, 260, skin::kTitleBandHeight);
  painter.setPen(palette.titleShadow);
  painter.drawText(titleArea.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, title);
  painter.setPen(palette.titleText);
  painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignVCenter, title);

  // The two field frames with their captions.
  painter.setFont(Font(12, QFont::Bold));
  painter.setPen(kLabel);
  for (const auto& [frame, caption] : {std::pair{skin::kBlogIdFrame, QString::fromUtf8("아이디")},
                                       std::pair{skin::kPasswordFrame, QString::fromUtf8("비밀번호")}}) {
    painter.fillRect(frame.adjusted(-1, -1, 1, 1), palette.fieldFrame);
    painter.fillRect(frame, Qt::white);
    painter.fillRect(frame.left(), frame.top(), frame.width(), 1, QColor(0xe6, 0xea, 0xe6));
    const QRect captionArea(frame.left() - 70, frame.top(), 62, frame.height());
    painter.drawText(captionArea, Qt::AlignRight | Qt::AlignVCenter, caption);
  }
  painter.setFont(Font(11, QFont::Normal));
  painter.setPen(kFootnote);
  painter.drawText(QRect(20, 38, 312, 16), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromUtf8("백업할 블로그의 아이디와 비밀번호를 입력하세요."));

  painter.fillRect(16, 93, width - 32, 1, kHairline);
  painter.fillRect(16, 152, width - 32, 1, kHairline);

  const int footerTop = 186;
  painter.fillRect(0, footerTop, width, height - footerTop, kFooter);
  painter.fillRect(0, footerTop, width, 1, kHairline);
  painter.setFont(Font(11, QFont::Normal));
  painter.drawText(QRect(16, footerTop + 1, width - 32, height - footerTop - 2),
                   Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8("v0.26 · By Quelm"));

  painter.setPen(palette.border);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(0, skin::kTitleBandHeight - 1, width - 1, height - skin::kTitleBandHeight);
  painter.drawLine(0, 0, 0, skin::kTitleBandHeight);
  painter.drawLine(width - 1, 0, width - 1, skin::kTitleBandHeight);
  painter.end();

  // Rounds the corners: the pixel inside each cut takes the border colour.
  for (const QPoint point :
       {QPoint(1, 1), QPoint(width - 2, 1), QPoint(1, height - 2), QPoint(width - 2, height - 2)})
    image.setPixelColor(point, point.y() == 1 ? palette.bandEdge : palette.border);
  for (const QPoint point :
       {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(350, 0), QPoint(351, 0), QPoint(351, 1),
        QPoint(0, 206), QPoint(0, 207), QPoint(1, 207), QPoint(350, 207), QPoint(351, 207), QPoint(351, 206)})
    image.setPixelColor(point, kCorner);
  return image;
}

enum class Picture { Normal, Pressed, Hover };
using DrawFace = std::function<void(QPainter&, const QRect&, Picture, const Palette&)>;

// A strip of three pictures on the piece of the skin that lies under the button.
QImage DrawStrip(const QImage& skinImage, QPoint position, QSize picture, const Palette& palette,
                 const DrawFace& drawFace) {
  QImage image(picture.width() * 3, picture.height(), QImage::Format_RGB32);
  QPainter painter(&image);
  const QImage ground = skinImage.copy(QRect(position, picture));
  int index = 0;
  for (const Picture kind : {Picture::Normal, Picture::Pressed, Picture::Hover}) {
    const QRect area(picture.width() * index++, 0, picture.width(), picture.height());
    painter.drawImage(area.topLeft(), ground);
    painter.save();
    painter.setClipRect(area);
    drawFace(painter, area, kind, palette);
    painter.restore();
  }
  return image;
}

void DrawCaptionButton(QPainter& painter, const QRect& area, Picture kind, const Palette& palette,
                       const QString& caption) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(body.topLeft(), body.bottomLeft());
  fill.setColorAt(0, kind == Picture::Pressed ? palette.buttonBottom : palette.buttonTop);
  fill.setColorAt(1, kind == Picture::Pressed ? palette.buttonTop.darker(106) : palette.buttonBottom);
  painter.setPen(QPen(palette.buttonEdge, 1));
  painter.setBrush(fill);
  painter.drawRoundedRect(body, 4, 4);
  if (kind != Picture::Pressed) {
    painter.setPen(QPen(QColor(255, 255, 255, 80), 1));
    painter.drawLine(QPointF(body.left() + 4, body.top() + 1), QPointF(body.right() - 4, body.top() + 1));
  }
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setFont(Font(12, QFont::Bold));
  const QRect textArea = kind == Picture::Pressed ? area.translated(1, 1) : area;
  painter.setPen(palette.buttonEdge.darker(130));
  painter.drawText(textArea.translated(0, 1), Qt::AlignCenter, caption);
  painter.setPen(kind == Picture::Hover ? palette.hoverCaption : palette.caption);
  painter.drawText(textArea, Qt::AlignCenter, caption);
}

enum class Symbol { Minimize, Close };

void DrawTitleButton(QPainter& painter, const QRect& area, Picture kind, const Palette& palette,
                     Symbol symbol) {
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF body = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.setPen(QPen(QColor(255, 255, 255, kind == Picture::Pressed ? 60 : 110), 1));
  painter.setBrush(kind == Picture::Pressed ? QColor(0, 0, 0, 45) : QColor(255, 255, 255, 35));
  painter.drawRoundedRect(body, 3, 3);
  const QColor ink = kind == Picture::Hover ? palette.hoverCaption : palette.caption;
  const QPointF shift = kind == Picture::Pressed ? QPointF(1, 1) : QPointF(0, 0);
  const QPointF corner = QPointF(area.topLeft()) + shift;
  if (symbol == Symbol::Minimize) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRectF(corner + QPointF(4, 9), QSizeF(7, 2)), ink);
  } else {
    painter.setPen(QPen(ink, 1.7, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(corner + QPointF(4.5, 4.5), corner + QPointF(10.5, 10.5));
    painter.drawLine(corner + QPointF(10.5, 4.5), corner + QPointF(4.5, 10.5));
  }
}

bool Save(const QImage& image, const QDir& folder, const QString& name) {
  const QString path = folder.filePath(name);
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "draw_artwork: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: plimo-draw-artwork FOLDER\n");
    return 1;
  }
  const QDir folder(QString::fromLocal8Bit(argv[1]));

  QImage icon(32, 32, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  {
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    DrawIcon(painter, QRectF(0, 0, 32, 32), kActive);
  }

  const QPoint backup = DialogUnitsToPixels(main_dialog::kBackupButton).topLeft();
  const QPoint devBlog = DialogUnitsToPixels(main_dialog::kDevBlogButton).topLeft();
  const QPoint minimize = DialogUnitsToPixels(main_dialog::kMinimizeButton).topLeft();
  const QPoint close = DialogUnitsToPixels(main_dialog::kCloseButton).topLeft();

  bool saved = Save(icon, folder, QStringLiteral("icon.png"));
  for (const auto& [palette, suffix] : {std::pair{&kActive, "active"}, std::pair{&kInactive, "inactive"}}) {
    const QImage skinImage = DrawSkin(*palette);
    const auto name = [suffix = suffix](const char* stem) { return QString("%1-%2.png").arg(stem, suffix); };
    const auto caption = [](const char* text) {
      return [text = QString::fromUtf8(text)](QPainter& painter, const QRect& area, Picture kind,
                                              const Palette& colours) {
        DrawCaptionButton(painter, area, kind, colours, text);
      };
    };
    const auto titleButton = [](Symbol symbol) {
      return [symbol](QPainter& painter, const QRect& area, Picture kind, const Palette& colours) {
        DrawTitleButton(painter, area, kind, colours, symbol);
      };
    };
    saved &= Save(skinImage, folder, name("skin"));
    saved &= Save(DrawStrip(skinImage, backup, strip::kBackupPicture, *palette, caption("백업하기")), folder,
                  name("backup"));
    saved &= Save(DrawStrip(skinImage, devBlog, strip::kDevBlogPicture, *palette, caption("개발자 블로그")),
                  folder, name("devblog"));
    saved &= Save(
        DrawStrip(skinImage, minimize, strip::kTitleButtonPicture, *palette, titleButton(Symbol::Minimize)),
        folder, name("minimize"));
    saved &=
        Save(DrawStrip(skinImage, close, strip::kTitleButtonPicture, *palette, titleButton(Symbol::Close)),
             folder, name("close"));
  }
  return saved ? 0 : 1;
}
