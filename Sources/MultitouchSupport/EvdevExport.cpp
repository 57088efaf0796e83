#include "MultitouchSupport/EvdevBackend.h"
#include "MultitouchSupport/ExportedBackend.h"

namespace velorin::multitouch {

std::unique_ptr<DeviceBackend> makeExportedBackend() { return std::make_unique<EvdevBackend>(); }

}  // namespace velorin::multitouch
