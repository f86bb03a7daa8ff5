// Every file of the fuzz corpora goes through its target's body once: what
// the fuzzer once found stays fixed, and the bodies keep building.
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

using Body = std::string (*)(const std::uint8_t*, std::size_t);

void replay(const char* target, Body body)
{
    const QDir corpus(QStringLiteral(PETARI_FUZZ_CORPUS "/") + QLatin1String(target));
    const QStringList files = corpus.entryList(QDir::Files);
    ASSERT_GE(files.size(), 10) << "corpus of " << target << " missing or nearly empty";
    for (const QString& name : files) {
        QFile f(corpus.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        EXPECT_EQ(body(reinterpret_cast<const std::uint8_t*>(bytes.constData()), size_t(bytes.size())), "")
            << target << "/" << name.toStdString();
    }
}

}  // namespace

TEST(FuzzCorpus, DecodeText) { replay("decode_text", petari::fuzz::decodeText); }
TEST(FuzzCorpus, Conversions) { replay("conversions", petari::fuzz::conversions); }
TEST(FuzzCorpus, WorkFile) { replay("work_file", petari::fuzz::workFile); }
TEST(FuzzCorpus, SettingsImport) { replay("settings_import", petari::fuzz::settingsImport); }
