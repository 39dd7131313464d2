// A test suite that is one run of the real program: started before the suite's first test, its
// tests the steps of the road in the order of the file, and closed through the main window's
// close button after the last, which must end it with exit code 0 and no sanitizer report.
// A new step is a TEST_F of such a suite; a new road is a suite of its own (a new file).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "Operator.h"
#include "RealProgram.h"

namespace x11test {

class ProgramRoad : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    // Skips without Xvfb; fails when the program did not come up or has ended.
    void SetUp() override;
    void TearDown() override;

    static Operator& op() { return *operator_; }
    static Hands& hands() { return program_->hands(); }
    static RealProgram& program() { return *program_; }
    // The main window's caption as it showed when the program came up.
    static const Box& MainCaption() { return caption_; }

  private:
    static inline std::unique_ptr<RealProgram> program_;
    static inline std::unique_ptr<Operator> operator_;
    static inline std::string why_;
    static inline bool noXvfb_ = false;
    static inline Box caption_;
};

}  // namespace x11test
