// Test support for what a window shows: every caption and value that does not fit the room the style
// gives its text at the window's design geometry.
#pragma once

#include "calculator_form.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>

namespace probe {

// The width a line edit gives its text: the style's contents rectangle less the text margins and the 2
// pixels the line edit keeps on each side.
inline int textRoom(const QLineEdit* edit)
{
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.rect = edit->rect();
    option.lineWidth = edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit) : 0;
    option.midLineWidth = 0;
    option.state |= QStyle::State_Sunken;
    option.features = QStyleOptionFrame::None;
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    return contents.marginsRemoved(edit->textMargins()).width() - 2 * 2;
}

inline int textRoom(const QRadioButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = button->rect();
    option.text = button->text();
    return button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button).width();
}

// The width a text takes: its advance, or the right edge of its ink where a glyph reaches beyond it.
inline int textWidth(const QFontMetrics& metrics, const QString& text)
{
    return text.isEmpty() ? 0 : std::max(metrics.horizontalAdvance(text), metrics.boundingRect(text).right() + 1);
}

// Every visible control of `window` whose text is wider than its room, as "Text_PoP 3506.7765 (43 > 35)":
// the advance width, or the ink where a glyph overhangs it; boxes, option captions, labels, frame captions (drawn on
// the frame line from 90 twips) and the calculate button's wrapped caption (drawn 3 pixels in from its sides, 2 from
// top and bottom).
inline QStringList unfit(QWidget* window)
{
    QStringList found;
    const auto report = [&found](const QWidget* w, const QString& text, int need, int room) {
        if (need > room)
            found << QString("%1 %2 (%3 > %4)").arg(w->objectName(), text).arg(need).arg(room);
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        const QFontMetrics metrics(w->font());
        if (auto* edit = qobject_cast<QLineEdit*>(w)) {
            report(edit, edit->text(), textWidth(metrics, edit->text()), textRoom(edit));
        } else if (auto* option = qobject_cast<QRadioButton*>(w)) {
            report(option, option->text(), textWidth(metrics, option->text()), textRoom(option));
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            report(label, label->text(), textWidth(metrics, label->text()), label->contentsRect().width());
        } else if (auto* frame = qobject_cast<QGroupBox*>(w)) {
            if (!frame->title().isEmpty())
                report(
                    frame, frame->title(), common::twips(90) + textWidth(metrics, frame->title()) + 4, frame->width());
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            const QRect room = button->rect().adjusted(3, 2, -3, -2);
            const QRect need = metrics.boundingRect(room, Qt::AlignCenter | Qt::TextWordWrap, button->text());
            int widest = 0;
            for (const QString& word : button->text().split(' ', Qt::SkipEmptyParts))
                widest = std::max(widest, textWidth(metrics, word));
            report(button, button->text(), std::max(widest, need.width()), room.width());
            report(button, button->text() + " (height)", need.height(), room.height());
        }
    }
    return found;
}

} // namespace probe
