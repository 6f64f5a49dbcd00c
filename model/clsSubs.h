// The subtitle document: the one list of entries that every view, tool and format works on.
// Entries stay in the order they were added; nothing here sorts them. Holders observe the list
// through four synchronous signals.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

class clsTime;

struct tSub {
    qint32 TimeIn = 0;
    qint32 TimeOut = 0;
    QString Text;
};

class clsSubs : public QObject {
    Q_OBJECT
public:
    static constexpr int Capacity = 10001; // indices 0 to 10000

    explicit clsSubs(QObject* parent = nullptr);

    void Delete(int x, clsTime& cSel, bool Deselect = false);
    void InsertP(int x, clsTime& cSel, bool SelectIt = true, const QString& Text = QString());
    int InsertT(qint32 t, clsTime& cSel, bool SelectIt = true, const QString& Text = QString());
    void RaiseMajor();
    int FindSub(qint32 lTime) const;

    QString SubText(int i) const;
    qint32 SubTimeIn(int i) const;
    qint32 SubTimeOut(int i) const;
    void setSubText(int i, const QString& v);
    void setSubTimeIn(int i, qint32 v);
    void setSubTimeOut(int i, qint32 v);

    int count() const { return count_; }
    bool full() const { return count_ >= Capacity; }
    void Clear();
    int AddSub(const QString& Text = QString(), qint32 TimeIn = 0, qint32 TimeOut = 0);
    void EnableEvents(bool b);
    bool eventsEnabled() const { return events_; }
    bool Invalid(int i) const;
    int FindSubAfter(qint32 t) const;
    int FindSubBefore(qint32 t) const;
    int ReplaceAll(const QString& st1, const QString& st2, bool bMatch, bool bWhole, int r1, int r2);
    void Stretch(int s1, int s2, int MS1, int MS2, qint32 MT1, qint32 MT2);
    void Shift(int s1, int s2, int MS, qint32 MT);
    void Blit(int SX1, int SX2, int DX, const clsSubs& s);

signals:
    void Change(int iSub);
    void CountChange();
    void MajorChange();
    void EventsEnabled(bool b);

private:
    bool inList(int i) const { return i >= 0 && i < count_; }
    void RaiseChange(int i);
    void RaiseCountChange();
    void SetCount(int n);
    bool Overlap(int a, int b) const;
    void requireRoom() const;
    void requireInList(int i, const char* what) const;
    int clampedEnd(int s1, int s2) const;

    std::vector<tSub> subs_;
    int count_ = 0;
    bool events_ = true;
};
