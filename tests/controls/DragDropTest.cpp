#include "controls/KwCommand.h"
#include "controls/KwDataObject.h"
#include "controls/KwError.h"
#include "controls/KwPanel.h"
#include "tests/controls/ControlFixtures.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace Solido;
using namespace solido_test;

namespace {

QPixmap picture(int w, int h, Qt::GlobalColor color)
{
    QPixmap p(w, h);
    p.fill(color);
    return p;
}

// Restores the default drag runner when a test ends.
struct RunnerGuard {
    ~RunnerGuard() { KwControl::setDragRunner({}); }
};

} // namespace

TEST(DataObject, FormatsHoldTheirKindOfDataAndRefuseOthers)
{
    KwMimeData mime;
    KwDataObject data(&mime, KwDataObject::Access::StartDrag);
    data.SetData(QStringLiteral("hello")); // the format follows from the value
    data.SetData(picture(5, 4, Qt::red), kwCFBitmap);
    data.SetData(picture(3, 2, Qt::blue), kwCFDIB);
    data.SetData(QStringLiteral("{\\rtf1 x}"), kwCFRTF);
    data.SetData(QByteArray("\x01\x02", 2), QStringLiteral("application/x-tallix"));
    data.SetData(QVariant(), kwCFMetafile); // declared only

    EXPECT_EQ(data.GetData(kwCFText), QStringLiteral("hello"));
    EXPECT_EQ(data.GetData(kwCFBitmap).value<QPixmap>().size(), QSize(5, 4));
    EXPECT_EQ(data.GetData(kwCFDIB).value<QPixmap>().toImage().pixelColor(1, 1), QColor(Qt::blue));
    EXPECT_EQ(data.GetData(kwCFRTF), QStringLiteral("{\\rtf1 x}"));
    EXPECT_EQ(data.GetData(QStringLiteral("application/x-tallix")), QByteArray("\x01\x02", 2));
    EXPECT_TRUE(data.GetFormat(kwCFMetafile));
    EXPECT_FALSE(data.GetFormat(kwCFFiles));

    struct Case {
        const char* what;
        std::function<void()> call;
        long error;
    };
    const Case cases[] = {
        {"no arguments", [&] { data.SetData(); }, 673},
        {"unknown number", [&] { data.SetData(5, 99); }, 30007},
        {"unknown number asked", [&] { data.GetFormat(4); }, 30007},
        {"empty type", [&] { data.GetData(QString()); }, 30007},
        {"text as a bitmap", [&] { data.SetData(QStringLiteral("x"), kwCFBitmap); }, 461},
        {"picture as text", [&] { data.SetData(picture(1, 1, Qt::red), kwCFText); }, 461},
        {"own format without bytes",
         [&] { data.SetData(QStringLiteral("x"), QStringLiteral("application/x-other")); }, 675},
        {"absent format", [&] { data.GetData(kwCFFiles); }, 461},
        {"declared, never supplied", [&] { data.GetData(kwCFMetafile); }, 676},
        {"a value of no format", [&] { data.SetData(3.5); }, 30007},
    };
    for (const Case& c : cases)
        EXPECT_EQ(errorOf(c.call), c.error) << c.what;
    EXPECT_EQ(KwError::of(675).description(),
              QStringLiteral("Non-intrinsic OLE drag and drop formats used with SetData require "
                             "Byte array data.  GetData may return more bytes than were given to "
                             "SetData."));
    data.Clear();
    EXPECT_FALSE(data.GetFormat(kwCFText));
    EXPECT_TRUE(mime.formats().isEmpty());
}

TEST(DataObject, TheFormatsListChangesOnlyWhileTheDragStarts)
{
    KwMimeData mime;
    {
        KwDataObject start(&mime, KwDataObject::Access::StartDrag);
        start.SetData(QVariant(), kwCFText);
    }
    KwDataObject supply(&mime, KwDataObject::Access::SetData);
    EXPECT_EQ(errorOf([&] { supply.SetData(QStringLiteral("late"), kwCFText); }), 0);
    EXPECT_EQ(errorOf([&] { supply.SetData(QStringLiteral("x"), kwCFRTF); }), 672);
    EXPECT_EQ(errorOf([&] { supply.Clear(); }), 672);
    KwDataObject target(static_cast<const QMimeData*>(&mime));
    EXPECT_EQ(target.GetData(kwCFText), QStringLiteral("late"));
    EXPECT_EQ(errorOf([&] { target.SetData(QStringLiteral("y"), kwCFText); }), 672);
    EXPECT_EQ(errorOf([&] { target.Clear(); }), 672);
    EXPECT_EQ(errorOf([&] { target.Files().Add(QStringLiteral("/tmp/a")); }), 672);
    EXPECT_EQ(KwError::of(672).description(),
              QStringLiteral("DataObject formats list may not be cleared or expanded outside of "
                             "the OLEStartDrag event"));
}

TEST(DataObject, FilesAreAOneBasedListOfTheFilesFormat)
{
    KwMimeData mime;
    KwDataObject data(&mime, KwDataObject::Access::StartDrag);
    KwDataObjectFiles& files = data.Files();
    EXPECT_EQ(files.Count(), 0);
    files.Add(QStringLiteral("/tmp/b.sql"));
    files.Add(QStringLiteral("/tmp/c.sql"));
    files.Add(QStringLiteral("/tmp/a.sql"), 1); // before the first
    EXPECT_EQ(files.Count(), 3);
    EXPECT_EQ(files.Item(1), QStringLiteral("/tmp/a.sql"));
    QStringList seen;
    for (const QString& name : files)
        seen << name;
    EXPECT_EQ(seen, (QStringList{QStringLiteral("/tmp/a.sql"), QStringLiteral("/tmp/b.sql"),
                                 QStringLiteral("/tmp/c.sql")}));
    EXPECT_EQ(data.GetData(kwCFFiles).toStringList(), seen);
    files.Remove(2);
    EXPECT_EQ(files.Item(2), QStringLiteral("/tmp/c.sql"));
    for (auto [call, error] : std::initializer_list<std::pair<std::function<void()>, long>>{
             {[&] { files.Item(0); }, 30009},
             {[&] { files.Item(3); }, 30009},
             {[&] { files.Remove(9); }, 30009},
             {[&] { files.Add(QStringLiteral("x"), 4); }, 30009},
             {[&] { files.Add(QString()); }, 5}})
        EXPECT_EQ(errorOf(call), error);
    EXPECT_EQ(KwError::of(30009).description(), QStringLiteral("Specified index is invalid"));
    files.Clear();
    EXPECT_EQ(files.Count(), 0);
}

TEST(DataObject, EffectsAndDropActionsConvert)
{
    EXPECT_EQ(KwControl::effectsOf(Qt::CopyAction | Qt::MoveAction), 3);
    EXPECT_EQ(KwControl::effectsOf(Qt::LinkAction), 0);
    EXPECT_EQ(KwControl::actionOf(3, Qt::CopyAction | Qt::MoveAction), Qt::MoveAction);
    EXPECT_EQ(KwControl::actionOf(3, Qt::CopyAction), Qt::CopyAction);
    EXPECT_EQ(KwControl::actionOf(2, Qt::CopyAction), Qt::IgnoreAction);
    EXPECT_EQ(KwControl::actionOf(0, Qt::CopyAction), Qt::IgnoreAction);
}

// A whole drag from a panel to a command button: the source fills the data and declares a
// format it supplies on request; the target sees the drag enter, move and drop and reads both.
TEST(DragAndDrop, ASourceFillsTheDataAndATargetReceivesIt)
{
    RunnerGuard guard;
    KwPanel source;
    QWidget form;
    auto* target = new KwCommand(&form);
    target->resize(80, 30);
    EXPECT_FALSE(target->acceptDrops());
    target->setOLEDropMode(kwOLEDropManual);
    EXPECT_TRUE(target->acceptDrops());
    form.show();

    int supplied = 0;
    QObject::connect(&source, &KwPanel::OLEStartDrag, [](KwDataObject* data, int& allowed) {
        data->SetData(QStringLiteral("row 7"));
        data->SetData(QVariant(), kwCFRTF);
        allowed = kwOLEDropEffectCopy;
    });
    QObject::connect(&source, &KwPanel::OLESetData, [&](KwDataObject* data, int& format) {
        ++supplied;
        EXPECT_EQ(format, int(kwCFRTF));
        data->SetData(QStringLiteral("{\\rtf1 row 7}"), kwCFRTF);
    });
    QStringList over;
    QObject::connect(target, &KwCommand::OLEDragOver,
                     [&](KwDataObject* data, int& effect, int, int, int x, int y, int state) {
                         over << QStringLiteral("%1 %2 %3,%4 %5")
                                     .arg(state)
                                     .arg(effect)
                                     .arg(x)
                                     .arg(y)
                                     .arg(data->GetData(kwCFText).toString());
                     });
    QString dropped;
    QObject::connect(target, &KwCommand::OLEDragDrop,
                     [&](KwDataObject* data, int& effect, int, int, int, int) {
                         dropped = data->GetData(kwCFRTF).toString();
                         effect = kwOLEDropEffectCopy;
                     });
    std::vector<int> completed;
    QObject::connect(&source, &KwPanel::OLECompleteDrag,
                     [&](int& effect) { completed.push_back(effect); });

    long recursive = 0;
    KwControl::setDragRunner([&](QDrag& drag, Qt::DropActions allowed) {
        recursive = errorOf([&] { source.OLEDrag(); });
        EXPECT_EQ(allowed, Qt::DropActions(Qt::CopyAction));
        QMimeData* mime = drag.mimeData();
        QDragEnterEvent enter(QPoint(4, 5), allowed, mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &enter);
        QDragMoveEvent move(QPoint(6, 7), allowed, mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &move);
        QDropEvent drop(QPointF(8, 9), allowed, mime, Qt::LeftButton, {});
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted() ? drop.dropAction() : Qt::IgnoreAction;
    });
    source.OLEDrag();
    EXPECT_EQ(recursive, 674);
    EXPECT_EQ(over,
              (QStringList{QStringLiteral("0 1 4,5 row 7"), QStringLiteral("2 1 6,7 row 7")}));
    EXPECT_EQ(dropped, QStringLiteral("{\\rtf1 row 7}"));
    EXPECT_EQ(supplied, 1);
    EXPECT_EQ(completed, std::vector<int>{int(kwOLEDropEffectCopy)});
    EXPECT_NO_THROW(source.OLEDrag()); // the drag is over: another may start
}

TEST(DragAndDrop, ATargetRefusingTheEffectIgnoresTheDropAndAnEmptyDragNeverStarts)
{
    RunnerGuard guard;
    KwPanel target;
    target.setOLEDropMode(kwOLEDropManual);
    QObject::connect(&target, &KwPanel::OLEDragOver,
                     [](KwDataObject*, int& effect, int, int, int, int, int) { effect = 0; });
    QMimeData mime;
    mime.setText(QStringLiteral("x"));
    QDragEnterEvent enter(QPoint(1, 1), Qt::CopyAction, &mime, Qt::LeftButton, {});
    QApplication::sendEvent(&target, &enter);
    EXPECT_FALSE(enter.isAccepted());

    KwPanel source;
    bool ran = false;
    KwControl::setDragRunner([&](QDrag&, Qt::DropActions) {
        ran = true;
        return Qt::CopyAction;
    });
    std::vector<int> completed;
    QObject::connect(&source, &KwPanel::OLECompleteDrag,
                     [&](int& effect) { completed.push_back(effect); });
    source.OLEDrag(); // no slot put any data in
    EXPECT_FALSE(ran);
    EXPECT_EQ(completed, std::vector<int>{0});
}
