// The program's modal message boxes: its title as caption, the warning icon when OK is the only
// answer and the question icon when the box asks yes or no.
#pragma once

#include <QString>
#include <QWidget>

namespace plimo {

// "Plimo 블로그 백업 프로그램": the caption of every box.
QString ApplicationTitle();

void ShowWarningBox(QWidget* owner, const QString& text);

// True for Yes.
bool AskQuestionBox(QWidget* owner, const QString& question);

}  // namespace plimo
