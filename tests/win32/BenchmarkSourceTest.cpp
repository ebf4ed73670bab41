// The benchmark's synthetic source as the program's own module list reads
// it, and the check that fails a run in which the probe never read a header.
#include "ProbeCheck.h"
#include "SyntheticSource.h"
#include "TestSettings.h"
#include "app/Main.h"
#include "win32/Application.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using bench::ImageHeaders;

constexpr int kModules = 40;

// What the check finds after the module list showed a process whose
// modules carry headers of that form.
std::string ProblemWith(ImageHeaders headers)
{
    win32::Application app(::GetModuleHandleA(nullptr));
    bench::SyntheticSource source(headers);
    TfMain form(app, source.Binding());
    form.SetSettingsKey(kTestSettingsKey);
    source.SetProcesses(3);
    const uint32_t shown = source.ProcessIdAt(1);
    source.SetModules(shown, kModules);
    // Both kinds of module, as the measurement needs.
    EXPECT_GT(source.RelocatedModules(), 0);
    EXPECT_LT(source.RelocatedModules(), kModules);
    form.ShowProcessDetails(shown);
    EXPECT_EQ(form.lvDetail->Count(), kModules);
    return bench::ProbeProblem(*form.lvDetail, source.RelocatedModules());
}

TEST(BenchmarkSourceTest, ProbesReadThisProgramsHeaderFormAndTheCheckFailsARunOnTheOther)
{
    const ImageHeaders own = core::kIs64BitProgram ? ImageHeaders::Pe32Plus : ImageHeaders::Pe32;
    const ImageHeaders other = core::kIs64BitProgram ? ImageHeaders::Pe32 : ImageHeaders::Pe32Plus;
    EXPECT_EQ(ProblemWith(own), "");
    EXPECT_NE(ProblemWith(other), "");
}

} // namespace
