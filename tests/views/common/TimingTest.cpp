// The plot-frequency rules on their own, then the dialog that shows their messages.

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "tests/support/RecordingPrompt.h"
#include "views/common/TimingDlg.h"
#include "views/common/TimingValidation.h"

namespace velor {
namespace {

struct Accepted {
    const char* text;
    int unit;
    unsigned maxRate;
    uint16_t rate;
    int storedUnit;
};

TEST(TimingRules, AcceptsWholeValuesUpToTheLimitAndConvertsDecimals) {
    const Accepted cases[] = {
        {"10", kPerSecond, 10, 10, kPerSecond},  // exactly the limit
        {"300", kPerMinute, 5, 300, kPerMinute},
        {"36000", kPerHour, 10, 36000, kPerHour},
        {" 7 ", kPerSecond, 10, 7, kPerSecond},
        {"1.5", kPerSecond, 10, 90, kPerMinute},
        {"2.5", kPerMinute, 10, 150, kPerHour},
        {"0.999", kPerSecond, 10, 59, kPerMinute},  // 59.94: truncated, not rounded
        {"2.7", kPerHour, 10, 2, kPerHour},        // no smaller unit: the fraction goes
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.text);
        const TimingCheck check = ValidateTiming(QString::fromLatin1(c.text), c.unit, c.maxRate);
        EXPECT_EQ(check.verdict, TimingVerdict::Accept);
        EXPECT_EQ(check.rate, c.rate);
        EXPECT_EQ(check.unit, c.storedUnit);
    }
}

TEST(TimingRules, RefusesRatesAboveTheLimitOfTheirUnit) {
    const struct {
        const char* text;
        int unit;
        unsigned maxRate;
        const char* message;
    } cases[] = {
        {"12", kPerSecond, 10, "Sample rate is too high\n Rate < 10 Updates/Sec"},
        {"6", kPerSecond, 5, "Sample rate is too high\n Rate < 5 Updates/Sec"},
        {"301", kPerMinute, 5, "Sample rate is too high\n Rate < 300 Updates/Min"},
        {"36001", kPerHour, 10, "Sample rate is too high\n Rate < 36000 Updates/Hour"},
        // The limit is the one of the unit the decimal moved to.
        {"1.5", kPerSecond, 1, "Sample rate is too high\n Rate < 60 Updates/Min"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const TimingCheck check = ValidateTiming(QString::fromLatin1(c.text), c.unit, c.maxRate);
        EXPECT_EQ(check.verdict, TimingVerdict::Refuse);
        EXPECT_EQ(check.message, QString::fromLatin1(c.message));
    }
}

TEST(TimingRules, EmptyIsRefusedAndBelowOneIsQuestioned) {
    for (const char* text : {"", "   "}) {
        const TimingCheck check = ValidateTiming(QString::fromLatin1(text), kPerSecond, 10);
        EXPECT_EQ(check.verdict, TimingVerdict::Refuse);
        EXPECT_EQ(check.message, QStringLiteral("Zero length timing string"));
    }
    for (const char* text : {"0", "0.5"}) {
        SCOPED_TRACE(text);
        const TimingCheck check = ValidateTiming(QString::fromLatin1(text), kPerHour, 10);
        EXPECT_EQ(check.verdict, TimingVerdict::AskZero);
        EXPECT_EQ(check.message, QStringLiteral("The sample is zero\n Is this what you want?"));
        EXPECT_EQ(check.rate, 0);
    }
}

class TimingDialog : public ::testing::Test {
protected:
    void Enter(CTimingDlg& dlg, const QString& text) {
        dlg.findChild<QLineEdit*>(QLatin1String(CTimingDlg::kRateEditName))->setText(text);
    }
    test::RecordingPrompt prompt;
};

TEST_F(TimingDialog, RefusalIsShownWithItsCaptionAndKeepsTheDialogAndValues) {
    CTimingDlg dlg(5, kPerSecond, 10, prompt);
    dlg.show();
    Enter(dlg, QStringLiteral("12"));
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    ASSERT_EQ(prompt.Messages().size(), 1u);
    EXPECT_EQ(prompt.Last().text,
              QStringLiteral("Sample rate is too high\n Rate < 10 Updates/Sec"));
    EXPECT_EQ(prompt.Last().caption, QStringLiteral("Parameter error"));
    EXPECT_EQ(prompt.Last().buttons, PromptButtons::Ok);
    EXPECT_EQ(dlg.GetUpdateRate(), 5);
}

TEST_F(TimingDialog, ZeroQuestionNoKeepsTheDialogYesStoresZero) {
    CTimingDlg dlg(5, kPerSecond, 10, prompt);
    dlg.show();
    Enter(dlg, QStringLiteral("0"));
    prompt.Answer(PromptAnswer::No);
    dlg.accept();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(prompt.Last().buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompt.Last().caption, QStringLiteral("Parameter error"));

    prompt.Answer(PromptAnswer::Yes);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetUpdateRate(), 0);
}

TEST_F(TimingDialog, LettersAndEmptyAreRefusedAndOnlyAZeroIsQuestioned) {
    // Each entry meets a user who would press Yes to any question.
    const struct {
        const char* text;
        const char* message;  // nothing: no message at all
        PromptIcon icon;
        PromptButtons buttons;
        bool accepted;
        uint16_t rate;
    } cases[] = {
        {"abc", "Please enter a number.", PromptIcon::Exclamation, PromptButtons::Ok, false, 3},
        {"5x", "Please enter a number.", PromptIcon::Exclamation, PromptButtons::Ok, false, 3},
        {"", "Zero length timing string", PromptIcon::None, PromptButtons::Ok, false, 3},
        {"0", "The sample is zero\n Is this what you want?", PromptIcon::Question, PromptButtons::YesNo, true, 0},
        {"5", nullptr, PromptIcon::None, PromptButtons::Ok, true, 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        test::RecordingPrompt user;
        user.Answer(PromptAnswer::Yes);
        CTimingDlg dlg(3, kPerSecond, 10, user);
        dlg.show();
        Enter(dlg, QString::fromLatin1(c.text));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        EXPECT_EQ(dlg.isVisible(), !c.accepted);
        EXPECT_EQ(dlg.GetUpdateRate(), c.rate);
        if (!c.message) {
            EXPECT_TRUE(user.Messages().empty());
            continue;
        }
        ASSERT_EQ(user.Messages().size(), 1u);
        EXPECT_EQ(user.Last().text, QString::fromLatin1(c.message));
        EXPECT_EQ(user.Last().caption, QStringLiteral("Parameter error"));
        EXPECT_EQ(user.Last().icon, c.icon);
        EXPECT_EQ(user.Last().buttons, c.buttons);
    }
}

TEST_F(TimingDialog, DecimalEntryIsAcceptedInTheNextUnitAndShownThere) {
    CTimingDlg dlg(5, kPerSecond, 1, prompt);
    dlg.show();
    Enter(dlg, QStringLiteral("0.5"));
    dlg.accept();
    EXPECT_TRUE(prompt.Messages().empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.GetUpdateRate(), 30);
    EXPECT_EQ(dlg.GetUpdateRateUnit(), kPerMinute);
    EXPECT_EQ(dlg.findChild<QComboBox*>(QLatin1String(CTimingDlg::kUnitBoxName))->currentIndex(),
              kPerMinute);
    EXPECT_EQ(dlg.findChild<QLineEdit*>(QLatin1String(CTimingDlg::kRateEditName))->text(),
              QStringLiteral("30"));
}

}  // namespace
}  // namespace velor
