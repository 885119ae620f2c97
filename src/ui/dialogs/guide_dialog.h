#pragma once
// 使用说明: a short guide inside the program, and the about box.

class QWidget;

void ShowGuide(QWidget* parent);
void ShowAbout(QWidget* parent);
