#pragma once

#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QSvgWidget;

namespace tavorel {

// The controls of a window that checks one code typed in one field (fiscal code, VAT number):
// picture, instruction, the field in a large fixed-pitch font with "Controlla" beside it, and
// "Chiudi" centred below.
struct CheckWindowLayout {
    QSvgWidget* picture;
    QLabel* title;
    QLineEdit* field;
    QPushButton* check;
    QPushButton* close;

    static CheckWindowLayout build(QDialog* window, const QString& pictureResource, const QString& titleText,
                                   const QString& fieldName, int maxLength);

    // Puts the caller's text into a check field whole. A field's maximum length only limits
    // typing: a longer text cut to fit could pass a check it must fail, so the limit is widened for
    // it and comes back once the text is short enough again.
    static void loadWhole(QLineEdit* field, const QString& text);
};

} // namespace tavorel
