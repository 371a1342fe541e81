// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "KavrelProgram.h"

#include <gtest/gtest.h>
#include <iostream>
#include <vector>

// A test that starts the real program and ends it (killing it if it is
// still running) when the test is over.
class RunningKavrel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.Start()) << qPrintable(program.Problem()) << "\nprogram output:\n"
                                     << qPrintable(program.Output());
    }

    void TearDown() override
    {
        if (HasFailure())
            std::cerr << "program output:\n" << qPrintable(program.Output()) << std::endl;
    }

    // Takes screenshots until one shows every sight; what the last one still
    // lacks when the time is up fails the test, under the name of the moment.
    WindowPicture ExpectToSee(const char* moment, const std::vector<Sight>& sights)
    {
        WindowPicture picture;
        QStringList differences;
        PollUntil(
            [&] {
                picture = program.Picture();
                differences = Differences(picture, sights);
                return differences.isEmpty();
            },
            kPictureWaitMs);
        for (const QString& difference : differences)
            ADD_FAILURE() << moment << ": " << qPrintable(difference);
        return picture;
    }

    // The program ends by itself, normally and with exit code 0.
    void ExpectToEndWithCodeZero(const char* after)
    {
        ASSERT_TRUE(program.WaitForExit(kExitWaitMs)) << "the program is still running after " << after;
        EXPECT_EQ(program.ExitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.ExitCode(), 0);
    }

    KavrelProgram program;

private:
    static constexpr int kPictureWaitMs = 5000;
    static constexpr int kExitWaitMs = 5000;
};
