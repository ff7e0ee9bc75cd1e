#pragma once
// The picture editor "Obrázek": loads a bitmap, icon or metafile for a
// picture object, clears it, and opens the memo editor for the data field
// that feeds the picture.
#include "report/vlpictureview.h"

#include <QDialog>
#include <QFrame>
#include <functional>

class QCheckBox;
class QPushButton;

// Shows a picture of any kind, at its size or stretched to the box.
class TvlPictureBox : public QFrame
{
    Q_OBJECT
public:
    explicit TvlPictureBox(QWidget *parent = nullptr);

    void SetPicture(const TvlPicture &picture);
    const TvlPicture &Picture() const { return m_picture; }
    void SetStretch(bool stretch);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    TvlPicture m_picture;
    bool m_stretch = false;
};

class TvlGEditorForm : public QDialog
{
    Q_OBJECT
public:
    static const QString Filter; // the open dialog's filter

    explicit TvlGEditorForm(QWidget *parent = nullptr);

    void SetPicture(const TvlPicture &picture) { Image1->SetPicture(picture); }
    const TvlPicture &Picture() const { return Image1->Picture(); }
    // Loads a file by its extension (.bmp, .ico, .wmf, .emf; any other as
    // whatever it holds); false, with the picture kept, when it cannot.
    bool LoadFile(const QString &fileName);

    std::function<void()> EditText; // "&Text": the memo editor on the object

    TvlPictureBox *Image1;
    QCheckBox *CB1;
    QPushButton *Button3, *Button4, *Button5, *Button1, *Button2;

    void Button3Click(); // open
    void Button4Click(); // clear
};
