#pragma once

#include <QColor>
#include <QObject>
#include <QPointer>

class QLineEdit;
class QFrame;

namespace tavorel {

// The two ways a focused field is shown.
//  Style A (record editors): the field's own background turns yellow while it has the focus and
//  goes back to its resting colour when it loses it; a 1 px sky-blue border throughout.
//  Style B (small dialogs): a yellow halo 4 px larger than the field lies behind it and is visible
//  only while the field has the focus; the field keeps its standard look.
class FocusHighlight : public QObject {
    Q_OBJECT
public:
    static void applyStyleA(QLineEdit* field, const QColor& resting);
    // Creates the halo as a sibling behind the field, named effName, and returns it.
    static QFrame* applyStyleB(QLineEdit* field, const QString& effName);

    // The fill a style-A field shows right now (for tests and for screens that need to know).
    static QColor fill(const QLineEdit* field);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Style { A, B };
    FocusHighlight(QLineEdit* field, Style style, const QColor& resting, QFrame* halo);
    void paintA(bool focused);
    void showFocused(bool focused);
    void placeHalo();

    QLineEdit* field_; // the parent: lives as long as this
    Style style_;
    QColor resting_;
    // A sibling of the field, stacked under it and so destroyed before it when their window goes:
    // the field's last focus-out must find it gone, not freed.
    QPointer<QFrame> halo_;
};

} // namespace tavorel
