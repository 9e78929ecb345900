#include "app/hover_button.hpp"

#include <QEnterEvent>
#include <QPainter>

#include "app/bitmaps.hpp"

namespace plimo {

CHoverButton::CHoverButton(QWidget* parent) : QAbstractButton(parent) {
  setCursor(Qt::PointingHandCursor);
}

bool CHoverButton::LoadStrip(int bitmapId) {
  QPixmap strip = bitmap::Load(bitmapId);
  if (strip.isNull()) return false;
  m_bitmap = std::move(strip);
  stripId_ = bitmapId;
  m_nFrameWidth = m_bitmap.width() / 3;
  m_nFrameHeight = m_bitmap.height();
  // Fixed, so that neither a layout nor anybody's resize can give the button another size.
  setFixedSize(m_nFrameWidth, m_nFrameHeight);
  update();
  return true;
}

void CHoverButton::SetToolTipText(const QString& text, ToolTipState state) {
  if (text.isEmpty()) return;
  setToolTip(text);
  toolTipActive_ = state == ToolTipState::Active;
}

QSize CHoverButton::sizeHint() const {
  return QSize(m_nFrameWidth, m_nFrameHeight);
}

bool CHoverButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && !toolTipActive_) {
    event->ignore();
    return true;
  }
  return QAbstractButton::event(event);
}

void CHoverButton::enterEvent(QEnterEvent* event) {
  QAbstractButton::enterEvent(event);
  m_bHover = true;
  update();
}

void CHoverButton::leaveEvent(QEvent* event) {
  QAbstractButton::leaveEvent(event);
  m_bHover = false;
  update();
}

void CHoverButton::paintEvent(QPaintEvent*) {
  // Pressed wins over hover; a disabled button shows its normal picture, and focus changes nothing.
  int picture = 0;
  if (isDown())
    picture = 1;
  else if (m_bHover && isEnabled())
    picture = 2;
  QPainter painter(this);
  painter.drawPixmap(0, 0, m_bitmap, picture * m_nFrameWidth, 0, m_nFrameWidth, m_nFrameHeight);
}

}  // namespace plimo
