// A scroll view whose content grows downwards from the top left and that draws no background.
#pragma once
#include <QScrollArea>

class FlippedScrollView : public QScrollArea
{
    Q_OBJECT
public:
    explicit FlippedScrollView(QWidget* parent = nullptr);
};
