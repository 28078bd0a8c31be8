#include "install/app/update_offer.h"

#include <gtest/gtest.h>

#include "common/setup/testing/fake_machine.h"

namespace zelko {
namespace {

using testing::FakeMachine;

void record(FakeMachine& machine, bool withStartUp) {
    machine.createKey(kInstallKey);
    machine.writeText(kInstallKey, kPathValue, u"D:\\Orvandale\\ZelkoInput");
    if (withStartUp) {
        machine.writeNumber(kInstallKey, kStartUpValue, 0);
    }
}

TEST(UpdateOffer, AsksOnlyWithACompleteRecordAndGivesTheStoredChoicesOnYes) {
    FakeMachine machine;
    record(machine, true);
    auto choices = offerUpdate(machine, machine);
    ASSERT_TRUE(choices);
    EXPECT_EQ(choices->folder, u"D:\\Orvandale\\ZelkoInput");
    EXPECT_FALSE(choices->startUp);
    ASSERT_EQ(machine.shown.size(), 1u);
    EXPECT_EQ(machine.shown[0].text, kUpdateQuestion);
    EXPECT_EQ(machine.shown[0].caption, kUpdateCaption);
    EXPECT_EQ(machine.shown[0].buttons, Buttons::YesNo);
}

TEST(UpdateOffer, NoOrNoRecordLeadsToTheNormalSequence) {
    FakeMachine answeredNo;
    record(answeredNo, true);
    answeredNo.answers.push_back(Answer::No);
    EXPECT_FALSE(offerUpdate(answeredNo, answeredNo));

    FakeMachine withoutStartUp;
    record(withoutStartUp, false);
    EXPECT_FALSE(offerUpdate(withoutStartUp, withoutStartUp));
    EXPECT_TRUE(withoutStartUp.shown.empty()) << "no question without \"StartUp\"";

    FakeMachine empty;
    EXPECT_FALSE(offerUpdate(empty, empty));
    EXPECT_TRUE(empty.shown.empty());
}

}  // namespace
}  // namespace zelko
