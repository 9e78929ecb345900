// A push button drawn from one strip of three pictures (normal, pressed, under the mouse) that
// always keeps the size of one picture.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <QString>

namespace plimo {

class CHoverButton : public QAbstractButton {
  Q_OBJECT

 public:
  explicit CHoverButton(QWidget* parent = nullptr);

  // Takes the strip with this bitmap number and sizes the button to one picture; false when
  // there is no such bitmap, and the button then keeps what it had.
  bool LoadStrip(int bitmapId);
  int StripId() const { return stripId_; }

  enum class ToolTipState { Active, Inactive };
  // An empty text leaves the tooltip as it was.
  void SetToolTipText(const QString& text, ToolTipState state);

  QSize sizeHint() const override;

 protected:
  bool event(QEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap m_bitmap;
  int stripId_ = 0;
  int m_nFrameWidth = 0;
  int m_nFrameHeight = 0;
  bool m_bHover = false;
  bool toolTipActive_ = false;
};

}  // namespace plimo
