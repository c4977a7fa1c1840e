#pragma once

#include "zogui_global.h"

#include <QLineEdit>
#include <QPointer>

class QLabel;

namespace ZoGUI {

// Line edit with an error hint: a red note just below the field, and the dynamic property
// "errorHint" (true while shown) for the skin's border rule. Trailing actions are Qt's own
// (addAction with QLineEdit::TrailingPosition) and keep working when the field is read-only.
// The note is a child of the field's window so that it is not clipped by the field; it hides
// with the field and is cleared when the user edits the text. GUI thread only.
class ZOGUI_EXPORT ZoLineEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(bool errorHint READ isErrorHintShown)

public:
    explicit ZoLineEdit(QWidget *parent = nullptr);
    ~ZoLineEdit() override;

    // show false clears the hint; the text is then ignored.
    void showErrorHint(bool show, const QString &text);
    bool isErrorHintShown() const;
    QString errorHintText() const;
    // The note's label while a hint is shown, else null.
    QLabel *errorHintLabel() const;

protected:
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void placeHint();
    void restyle();

    QPointer<QLabel> m_hint; // owned by the window, deleted by us
    QString m_hintText;
    bool m_hintShown = false;
};

} // namespace ZoGUI
