#include "acquisition/InterferenceDoor.h"

#include "acquisition/BoxRequests.h"

InterferenceRequests interferenceRequestsThrough(BoxRequests& door) {
    return {[&door] { door.submit(BoxRequest::Interference); },
            [&door] { return door.slotTaken(); }};
}
