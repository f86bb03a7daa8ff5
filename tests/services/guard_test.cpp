#include "services/Guard.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

using namespace petari;

namespace {
struct Reported { QString label; int number; QString description; };

class RecordingSink : public ErrorSink {
public:
    void report(const QString& label, int number, const QString& description) override
    {
        got.push_back({label, number, description});
        if (failInside)
            guarded("F4 Form_Load", [] { throw Failure(err::OutOfRange); });
    }
    std::vector<Reported> got;
    bool failInside = false;
};

struct SinkScope {
    explicit SinkScope(ErrorSink* s) { setErrorSink(s); }
    ~SinkScope() { setErrorSink(nullptr); }
};
}  // namespace

TEST(Guard, HandsEveryKindOfFailureToTheReportWithItsLabel)
{
    RecordingSink sink;
    SinkScope scope(&sink);

    EXPECT_TRUE(guarded("F1 mcopy", [] {}));
    EXPECT_FALSE(guarded("F1 fload", [] { throw Failure(err::FileNotFound); }));
    EXPECT_FALSE(guarded("F1 tuika", [] { throw std::bad_alloc(); }));
    EXPECT_FALSE(guarded("F1 hozon", [] { throw std::runtime_error("boom"); }));
    EXPECT_FALSE(guarded("F1 hyouji", [] { throw 42; }));

    ASSERT_EQ(sink.got.size(), 4u);
    EXPECT_EQ(sink.got[0].label, "F1 fload");
    EXPECT_EQ(sink.got[0].number, 53);
    EXPECT_EQ(sink.got[0].description, describeError(53));
    EXPECT_EQ(sink.got[1].number, err::OutOfMemory);
    EXPECT_EQ(sink.got[2].number, err::Internal);
    EXPECT_EQ(sink.got[2].description, describeError(err::Internal) + QStringLiteral("　boom"));
    EXPECT_EQ(sink.got[3].label, "F1 hyouji");
}

TEST(Guard, ClipboardAndCancelledDialogStaySilent)
{
    RecordingSink sink;
    SinkScope scope(&sink);
    EXPECT_FALSE(guarded("F1 mcopy", [] { throw Failure(err::ClipboardBusy); }));
    EXPECT_FALSE(guarded("F1 CoDiHiraku", [] { throw Failure(err::Cancelled); }));
    EXPECT_TRUE(sink.got.empty());
}

TEST(Guard, AFailureWhileReportingDoesNotRecurse)
{
    RecordingSink sink;
    sink.failInside = true;
    SinkScope scope(&sink);
    EXPECT_FALSE(guarded("F1 mcopy", [] { throw Failure(err::Overflow); }));
    ASSERT_EQ(sink.got.size(), 1u);
    EXPECT_EQ(sink.got[0].number, 6);
    // The program stays usable: the next failure is reported normally.
    sink.failInside = false;
    EXPECT_FALSE(guarded("F1 sakujo", [] { throw Failure(err::OutOfRange); }));
    EXPECT_EQ(sink.got.size(), 2u);
}

TEST(Guard, ValueProceduresReturnTheirEmptyValueOnFailure)
{
    RecordingSink sink;
    SinkScope scope(&sink);
    EXPECT_EQ(guardedValue<int>("M1 nyou1", 0, [] { return 5; }), 5);
    EXPECT_EQ(guardedValue<int>("M1 nyou1", 0, []() -> int { throw Failure(err::Overflow); }), 0);
    EXPECT_EQ(guardedValue<QString>("M2 FmSaku", QString(),
                                    []() -> QString { throw Failure(err::PathNotFound); }),
              QString());
    EXPECT_EQ(sink.got.size(), 2u);
}

TEST(Failure, CarriesNumberAndDescription)
{
    Failure f(err::DiskFull);
    EXPECT_EQ(f.number(), 61);
    EXPECT_FALSE(f.description().isEmpty());
    Failure g(70, "読めません: /x");
    EXPECT_EQ(g.description(), "読めません: /x");
    EXPECT_STREQ(g.what(), "読めません: /x");
}
