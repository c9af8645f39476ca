#pragma once
// Codes of LinkNotifier::deviceEvent(code, param), as the line parser sends them.

enum DeviceEventCode : int {
    kPositionEvent = 0,        // rawPosition, speed
    kDacOffsetsEvent = 2,      // param: 2 / 0 (two-letter, status bits 1 / 0), channel (one-letter)
    kChannelValuesEvent = 3,   // param: 0, or the channel (one-letter)
    kChannelFactorsEvent = 4,  // param: 0, or the channel (one-letter)
    kStatusEvent = 5,          // param: kStatusNotReady, kStatusValidTwoLetter/OneLetter
    kAmplitudeWhiteEvent = 6,  // amplitudeWH
    kAmplitudeYellowEvent = 7, // amplitudeYE
    kInterferenceEvent = 8,    // param kInterferenceValues (the main window uses 0 to clear)
    kReferenceFoundEvent = 9,
    kReferencePassedEvent = 10,
    kReferenceDistanceEvent = 11,
    kReferencePhaseEvent = 12,
    kBoxInfoEvent = 13,
    kVersionEvent = 14,
    kZeroValueAEvent = 15,
    kZeroValueBEvent = 16,
    kResetResultEvent = 17, // param kResetError or kFlashErased
    kPulseRateEvent = 18,
    kReferenceAnalysisEvent = 19,
    kReferenceMarkEvent = 20,
    kSerialNumbersEvent = 21,
};

// Second parameters with a meaning of their own.
constexpr int kStatusNotReady = 0;
constexpr int kStatusValidOneLetter = 18;
constexpr int kStatusValidTwoLetter = 19;
constexpr int kInterferenceValues = 1;
constexpr int kResetError = '1';
constexpr int kFlashErased = '2';
