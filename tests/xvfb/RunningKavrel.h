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

    // Waits until the screen shows every sight; what it still lacks when the
    // time is up fails the test, under the name of the moment.
    WindowPicture ExpectToSee(const char* moment, const std::vector<Sight>& sights)
    {
        QStringList differences;
        WindowPicture picture = program.PictureShowing(sights, differences);
        for (const QString& difference : differences)
            ADD_FAILURE() << moment << ": " << qPrintable(difference);
        return picture;
    }

    KavrelProgram program;
};
