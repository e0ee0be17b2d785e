#pragma once

#include <QList>
#include <QString>

namespace korvane {

class CMultiTesselDoc;

// The open device documents in the order they joined, the selected tab and the serial handed to
// each joining document. The list refers to the documents; their windows own them.
class DeviceList {
  public:
    // Gives the document the next serial as its number, names it (unless its name is fixed) and
    // appends it.
    void Add(CMultiTesselDoc& document);
    // Removes the first document numbered `index`; false when none is.
    bool Remove(int index);
    // Makes every document's number its position.
    void Renumber();

    int Count() const { return static_cast<int>(documents_.size()); }
    // Null for an empty list; the entry at index when it is below the count; else the last one.
    CMultiTesselDoc* Get(int index) const;
    CMultiTesselDoc* Current() const { return Get(currentTab_); }
    const QList<CMultiTesselDoc*>& Documents() const { return documents_; }

    int CurrentTab() const { return currentTab_; }
    // An index outside 0..count-1 becomes count-1 (-1 for an empty list); returns the result.
    int SelectTab(int index);

    // The user's rename: refuses (returns false) an empty name and one that another position
    // already uses in any letter case. A name that differs from the current one becomes fixed.
    bool Rename(int index, const QString& name);
    // Says every automatic name again in the current language with the same number; the names
    // the user gave stay. A name that the user's names already hold takes the next free number.
    void RetranslateNames();
    // Whether any document other than the one at `exceptIndex` is called `name`, ignoring case.
    bool NameInUse(const QString& name, int exceptIndex) const;

  private:
    // The number a new automatic name of `document` takes (see AutomaticNameNumber), with the
    // documents other than the one at `exceptIndex` as the names in use.
    int FreeNameNumber(const CMultiTesselDoc& document, int serial, int exceptIndex) const;

    QList<CMultiTesselDoc*> documents_;
    int currentTab_ = 0;
    int nextSerial_ = 0;
};

}  // namespace korvane
