// The gas property strip: the ratio of specific heats that every calculation reads.
#pragma once

#include <QWidget>

class PropertiesWindow : public QWidget {
    Q_OBJECT

public:
    explicit PropertiesWindow(QWidget* parent = nullptr);
};

// The About window: fixed texts about the program.
class AboutWindow : public QWidget {
    Q_OBJECT

public:
    explicit AboutWindow(QWidget* parent = nullptr);
};
