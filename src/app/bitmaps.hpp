// The program's bitmaps, known by their resource numbers and embedded in the executable.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace plimo::bitmap {

inline constexpr int kIcon = 130;
inline constexpr int kSkinActive = 131;
inline constexpr int kSkinInactive = 143;
inline constexpr int kBackupActive = 132;
inline constexpr int kBackupInactive = 147;
inline constexpr int kDevBlogActive = 133;
inline constexpr int kDevBlogInactive = 146;
inline constexpr int kMinimizeActive = 134;
inline constexpr int kMinimizeInactive = 145;
inline constexpr int kCloseActive = 135;
inline constexpr int kCloseInactive = 144;

// A null pixmap when there is no bitmap with this number.
QPixmap Load(int id);

QIcon ProgramIcon();

}  // namespace plimo::bitmap
