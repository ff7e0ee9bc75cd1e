#include "designer/dialogs/scripteddialogs.h"
#include "report/designer/dialogs/geditorform.h"
#include "report/designer/dialogs/templform.h"
#include "report/metafilebytes.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString written(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

} // namespace

TEST(PictureEditor, OpensMetafilesAndBitmapsAndClears)
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    TvlPictureView view;
    int undo = 0, textEdits = 0;
    dialogs.openFile = written(dir, "obdelnik.emf", metafilebytes::emf());
    dialogs.pictureEditor = [&](TvlGEditorForm &form) {
        form.Button3Click();
        EXPECT_NE(form.Picture().Metafile(), nullptr);
        form.Button5->click();
        // The box shows the picture drawn, stretched when asked.
        form.resize(400, 300);
        form.CB1->setChecked(true);
        const QImage shown = form.Image1->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(vlEditPicture(
        view, [&] { ++undo; }, [&] { ++textEdits; }));
    EXPECT_EQ(undo, 1);
    EXPECT_EQ(textEdits, 1);
    EXPECT_EQ(view.Picture.Kind(), gkMetafile);
    EXPECT_EQ(view.Picture.Data(), metafilebytes::emf());

    // A file of another kind than its extension says is refused; the picture stays.
    TvlGEditorForm form;
    form.SetPicture(view.Picture);
    EXPECT_FALSE(form.LoadFile(written(dir, "falesny.wmf", "BM not a metafile")));
    EXPECT_EQ(form.Picture().Kind(), gkMetafile);
    QImage bitmap(8, 4, QImage::Format_RGB32);
    bitmap.fill(Qt::green);
    ASSERT_TRUE(bitmap.save(dir.filePath("zelena.bmp"), "BMP"));
    EXPECT_TRUE(form.LoadFile(dir.filePath("zelena.bmp")));
    EXPECT_EQ(form.Picture().Kind(), gkBitmap);
    EXPECT_EQ(form.Picture().Size(), QSize(8, 4));

    // Cleared and confirmed, the object is left empty; a cancel changes nothing.
    dialogs.pictureEditor = [](TvlGEditorForm &form) {
        form.Button4Click();
        return int(QDialog::Rejected);
    };
    EXPECT_FALSE(vlEditPicture(view, {}, {}));
    EXPECT_FALSE(view.Picture.IsEmpty());
    dialogs.pictureEditor = [](TvlGEditorForm &form) {
        form.Button4Click();
        return int(QDialog::Accepted);
    };
    EXPECT_TRUE(vlEditPicture(view, {}, {}));
    EXPECT_TRUE(view.Picture.IsEmpty());
}

TEST(NewTemplate, DescriptionAndBitmapIcon)
{
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(Qt::blue);
    ASSERT_TRUE(icon.save(dir.filePath("ikona.bmp"), "BMP"));
    TvlTemplNewForm form;
    EXPECT_TRUE(form.Description().isEmpty());
    EXPECT_TRUE(form.Icon().isNull());
    form.Memo1->setPlainText("Faktura\ns logem");
    dialogs.openFile = dir.filePath("ikona.bmp");
    form.Button1Click();
    EXPECT_EQ(form.Description(), (QStringList{"Faktura", "s logem"}));
    EXPECT_EQ(form.Icon().size(), QSize(16, 16));
    EXPECT_FALSE(form.LoadIcon(written(dir, "ne.bmp", "text")));
    EXPECT_EQ(form.Icon().size(), QSize(16, 16));
}

TEST(FileFilters, WindowsFiltersBecomeQtFilters)
{
    EXPECT_EQ(vlQtFileFilter(TvlGEditorForm::Filter),
              "Soubor s obrázkem (*.bmp *.ico *.wmf *.emf);;Všechny soubory (*.*)");
    EXPECT_EQ(vlQtFileFilter("Soubor s bitmapou (*.bmp)|*.bmp"), "Soubor s bitmapou (*.bmp)");
}
