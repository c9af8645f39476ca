#include "acquisition/InterferenceDoor.h"

#include "acquisition/BoxRequests.h"

InterferenceRequests interferenceRequestsThrough(BoxRequests& door) {
    return {[&door] { door.submit(BoxRequest::Interference); },
            [&door] { return door.slotTaken(); }};
}

InterferenceRequests interferenceRequestsOf(const LinkControl& link) {
    return {[&link] {
                if (BoxRequests* door = BoxRequests::of(link))
                    door->submit(BoxRequest::Interference);
            },
            [&link] {
                const BoxRequests* door = BoxRequests::of(link);
                return door != nullptr && door->slotTaken();
            }};
}
