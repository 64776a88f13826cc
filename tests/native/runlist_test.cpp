#include "../shared/memory_runlist.h"
#include "../shared/runlist_cases.h"

namespace {

class MemoryRunListTest : public ::testing::Test {
protected:
    qm::RunList& list() { return list_; }
    qm::MemoryRunList list_;
};

QM_RUNLIST_CASES(MemoryRunListTest)

}  // namespace
