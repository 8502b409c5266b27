#include "controls/KwAboutBox.h"
#include "controls/KwError.h"
#include "controls/KwPanel.h"
#include "controls/KwSound.h"
#include "tests/controls/ControlFixtures.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace Solido;
using namespace solido_test;

namespace {

// A valid, silent wave file of a few samples.
QByteArray silentWave()
{
    QByteArray samples(64, '\x80');
    QByteArray wav("RIFF");
    auto le32 = [&](quint32 v) {
        for (int i = 0; i < 4; ++i)
            wav.append(char((v >> (8 * i)) & 0xFF));
    };
    auto le16 = [&](quint16 v) {
        wav.append(char(v & 0xFF));
        wav.append(char(v >> 8));
    };
    le32(36 + quint32(samples.size()));
    wav.append("WAVEfmt ");
    le32(16);
    le16(1);    // PCM
    le16(1);    // mono
    le32(8000); // samples per second
    le32(8000); // bytes per second
    le16(1);    // block alignment
    le16(8);    // bits per sample
    wav.append("data");
    le32(quint32(samples.size()));
    return wav + samples;
}

} // namespace

TEST(Methods, PlaySoundFileChecksItsArgumentsAndNeverFailsSilently)
{
    QTemporaryDir dir;
    const QString wave = dir.filePath(QStringLiteral("ding.wav"));
    QFile file(wave);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(silentWave());
    file.close();

    KwPanel panel;
    EXPECT_EQ(errorOf([&] { panel.PlaySoundFile(wave, 7); }), 5);
    EXPECT_EQ(errorOf([&] { panel.PlaySoundFile(dir.filePath(QStringLiteral("none.wav"))); }), 53);
    EXPECT_EQ(errorOf([&] { panel.PlaySoundFile(dir.path()); }), 53);
    EXPECT_EQ(
        errorOf([&] { panel.PlaySoundFile(QStringLiteral("SystemAsterisk"), kwPlaySystemSound); }),
        0);
    // Played where an audio library was built in; otherwise a clear refusal, never nothing.
    if (soundFilesSupported()) {
        EXPECT_EQ(errorOf([&] { panel.PlaySoundFile(wave); }), 0);
    } else {
        EXPECT_EQ(errorOf([&] { panel.PlaySoundFile(wave); }), 445);
        EXPECT_EQ(KwError::of(445).description(),
                  QStringLiteral("Sound playback is not supported on this system"));
    }
}

TEST(Methods, AboutBoxShowsProductVersionAndBuildModally)
{
    KwAboutBox box;
    EXPECT_EQ(box.findChild<KwPanel*>(QStringLiteral("panProduct"))->Caption(),
              QStringLiteral("Solidware Plus Controls"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(),
              QStringLiteral("Version 3.01"));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("lblBuild"))->text(),
              QStringLiteral("Build 0022"));

    KwPanel panel;
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        shown = modal->objectName();
        modal->close();
    });
    panel.AboutBox();
    EXPECT_EQ(shown, QStringLiteral("KwAboutBox"));
}
