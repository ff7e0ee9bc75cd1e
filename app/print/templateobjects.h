#pragma once
// The objects of the shop's layouts that the program fills as they print,
// recognised by name and tried in this order (the first that fits applies):
//   "Sestava_Sklad" (exactly)    the first line gets the store's name; the
//                                report's title "Prehled_Polozek_<store>"
//   ..."Sestava_Doklad"...        the title "Doklad_<printed number>"
//   "Sestava_Prehled" (exactly)  the title "Prehled_dokladu"
//   ..."Hlavicka"...              rich text "Hlavicka.rtf" of the program folder
//   ..."Logo"...                  picture "Logo.bmp" of the program folder
//   ..."Informace"...             rich text "Informace.rtf"
//   ..."Podpis"...                picture "Podpis.bmp"
// A missing rich text file puts its full path in the object's place, so the
// user sees which file to make; a missing picture leaves the object as it is.
// The title is the name offered when the prepared report is saved or exported.
#include <QString>
#include <QStringList>

#include <functional>

class TPrintData;
class TvlView;

struct TTemplateObjects
{
    const TPrintData &data;
    QString appPath; // the program folder
    // The text of a bracket expression in the object (rich texts loaded
    // here are expanded again with it); none leaves the brackets.
    std::function<QString(const QString &expression)> expand;

    // The object about to print, its memo lines as they will print, and the
    // report's title.
    void Apply(TvlView &view, QStringList &memo, QString &title) const;

private:
    void LoadRichText(TvlView &view, QStringList &memo, const QString &file) const;
    void LoadPicture(TvlView &view, const QString &file) const;
};
