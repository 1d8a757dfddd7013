// Operations whose numerics are still being written. Each returns a failure so that
// callers can be built and exercised meanwhile; the file goes as they arrive.
#include "engine/analysis.h"

Status Analysis::WriteKEST0() const { return Status::failure("not available yet", FilenameKEST0); }
Status Analysis::WriteKEST1() const { return Status::failure("not available yet", FilenameKEST1); }
Status Analysis::WriteErefP() const { return Status::failure("not available yet", FilenameErefP); }
Status Analysis::WriteErefN() const { return Status::failure("not available yet", FilenameErefN); }
Status Analysis::WriteEref() const { return Status::failure("not available yet", FilenameEref); }
