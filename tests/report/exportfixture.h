#pragma once
// One prepared report for the export tests: Czech text, a bold underlined red
// memo, special characters of every format, a picture, and a second page.
#include "report/vlexporttext.h"
#include "report/vlmemoview.h"
#include "report/vlpictureview.h"
#include "report/vlpreparedpages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

struct ExportReport
{
    TvlPages design;
    TvlEMFPages pages;

    ExportReport()
    {
        TvlPage *a4 = design.Add();
        TvlPageInfo *first = pages.Add(*a4);
        memo(*first, 0, 0, 300, {"Příliš žluťoučký kůň úpěl ďábelské ódy"});
        memo(*first, 130, 32, 200, {"Tučně a podtrženě"}, [](TvlMemoView &m) {
            m.FontStyle = fsBold | fsUnderline;
            m.FontColor = 0xFFFFFF;
        });
        memo(*first, 0, 64, 400, {"<b>a & b</b>; \"x\" \\ {y}"}, [](TvlMemoView &m) {
            m.FontSize = 14;
            m.FontColor = 0x0000FF;
        });
        TvlPictureView picture;
        picture.SetBounds(20, 100, 40, 20);
        QImage image(2, 2, QImage::Format_RGB32);
        image.setPixel(0, 0, qRgb(255, 0, 0));
        image.setPixel(1, 0, qRgb(0, 255, 0));
        image.setPixel(0, 1, qRgb(0, 0, 255));
        image.setPixel(1, 1, qRgb(255, 255, 255));
        picture.Picture.SetImage(image);
        picture.Print(*first->Stream);
        TvlPageInfo *second = pages.Add(*a4);
        memo(*second, 65, 16, 200, {"Strana 2"});
    }

    // A memo printed on the page; adjust changes it before printing.
    TvlMemoView &memo(TvlPageInfo &page, int x, int y, int width, const QStringList &text,
                      const std::function<void(TvlMemoView &)> &adjust = {})
    {
        m_memos.push_back(std::make_unique<TvlMemoView>());
        TvlMemoView &m = *m_memos.back();
        m.SetBounds(x, y, width, 24);
        m.WorkMemo = text;
        if (adjust)
            adjust(m);
        m.Print(*page.Stream);
        return m;
    }

private:
    std::vector<std::unique_ptr<TvlMemoView>> m_memos;
};

// The golden files beside this header. A relative source path is relative to
// the build folder, one above the test program's.
inline QString goldenPath(const QString &name)
{
    QFileInfo source(QString::fromUtf8(__FILE__));
    if (source.isRelative())
        source.setFile(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")), source.filePath());
    return source.dir().filePath(QStringLiteral("golden/") + name);
}
