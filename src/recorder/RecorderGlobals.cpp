#include "config/ConfigData.h"
#include "device/LinkControl.h"
#include "recorder/DataRecorder.h"

DataRecorder dataRecorder(linkControl, configData);
