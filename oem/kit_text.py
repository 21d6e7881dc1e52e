"""The texts of the reference languages: every label key of "Language.ini" and the installer's [Setup] keys.

Texts hold no commas: a comma separates the items of a label value.
"""

LANGUAGES = {
    "English": {
        "display": "English",
        "Main": {
            "LabelMenu1": "Save", "LabelMenu2": "Load", "LabelMenu3": "About",
            "LabelPageEQ": "Equalizer", "LabelPage3D": "(null)", "LabelPageEffect": "Environment",
            "LabelPageMic": "Microphone", "LabelPageVirtual7ch1": "Virtual 7.1",
            "LabelActive": "Headset ready", "LabelUnDriver": "Audio driver missing", "LabelUnactive": "No headset found",
            "LabelSync": "(null)", "LabelSetting": "Sound setting:", "LabelSX": "S1", "LabelFeatures": "FEATURES",
            "LabelCompanyName": "Tonvio Audio", "DeviceInLabel": "Online", "DeviceOutLabel": "Offline",
            "LabelPageLED": "Lighting", "LabelPageENC": "Noise Cancel", "LabelPageVMEffect": "Voice Effects",
            "LabelLanguage": "Language", "LabelSkin": "Skin", "LabelClose": "Exit", "LabelPlugin": "Plug-ins",
            "LabelWarning": "No headset is connected. Plug in your Tonvio headset and try again.",
            "LabelWarning1": "This headset does not support noise cancellation or voice effects.",
        },
        "EQ": {
            "LabelEQEnable": "EQ", "LableEQ3DEnable": "3D", "LabelEQReset": "Reset",
            "LabelEQS1": "S1", "LabelEQS2": "S2", "LabelEQS3": "S3", "LabelEQS4": "S4",
            "LabelEQ60Hz": "60 Hz", "LabelEQ300Hz": "300 Hz", "LabelEQ1200Hz": "1.2 kHz", "LabelEQ3600Hz": "3.6 kHz",
            "LabelEQ12000Hz": "12 kHz",
            "LabelEQ60HzValue": "400", "LabelEQ300HzValue": "400", "LabelEQ1200HzValue": "400",
            "LabelEQ3600HzValue": "400", "LabelEQ12000HzValue": "400",
        },
        "3D": {
            "Label3DEnable": "3D", "Label3DFBM": "FBM", "Label3DReset": "Reset", "Label3DLeftChannel": "Left channel",
            "Label3DRightChannel": "Right channel", "Label3DConnection": "Link",
            "Label3DLBetaValue": "3", "Label3DLAlphaValue": "10", "Label3DRBetaValue": "3", "Label3DRAlphaValue": "10",
        },
        "Effect": {
            "LabelEffectNothing": "Off", "LabelEffectTheater": "Theater", "LabelEffectBathroom": "Bathroom",
            "LabelEffectLivingroom": "Living room", "LabelEffectStoneGallery": "Stone gallery",
        },
        "Mic": {
            "LabelMicBoost": "Boost", "LabelMicMute": "Mute", "LabelMicMonitor": "Monitor", "LabelMicGain": "Gain",
            "LabelMicValue": "0",
        },
        "Virtual7ch1": {
            "Label7ch1Enable": "Virtual 7.1", "LabelVirtualClockwise": "Rotate", "LabelVirtualCounterclockwise": "Rotate",
            "LabelVirtualEnlarge": "Wider", "LabelVirtualNarrow": "Closer", "Label7ch1Reset": "Reset layout",
        },
        "LED": {
            "ColorBreatheLabel": "Breathe", "ColorRainbowLabel": "Rainbow", "ColorPulsatingLabel": "Multi-breathe",
            "ColorSelectLabel": "SELECT COLOR", "ColorEffectLabel": "EFFECT SETTING", "ColorLEDOffLabel": "Lights off",
            "ColorSingleLabel": "Single color", "ColorSlowLabel": "Slow", "ColorFastLabel": "Fast",
        },
        "ENC": {"ENCFunctionLabel": "Noise cancel", "LabelENCValue": "0"},
        "VoiceMagic": {
            "VMEffectNoneLabel": "Natural", "VMEffect1Label": "Deep", "VMEffect2Label": "Bright",
            "VMEffect3Label": "Giant", "VMEffect4Label": "Chipmunk", "VMFunctionLabel": "Voice effects",
        },
        "About": {"LabelAbout": "Tonvio Control Panel - sound for your USB headset", "LabelWeb": "https://tonvio.example.com"},
        "Setup": {
            "LabelBackBtn": "< Back", "LabelNextBtn": "Next >", "LabelFinishBtn": "Finish", "LabelCancelBtn": "Cancel",
            "LabelSelectLang": "Select language:", "LabelVersion": "Select the language of Tonvio Control Panel",
            "LabelAudioExt": "Tonvio audio software for USB headsets", "LabelInstall": "Installing...",
            "LabelReboot": "Setup will restart your computer to complete the installation.",
            "LabelRebootRadioBtn": "Restart now", "LabelNoRebootRadioBtn": "Restart later", "LabelTitle": "Tonvio Setup",
            "LabelWarning1": "An earlier Tonvio audio driver is still active. Restart Windows and run Setup again.",
            "LabelWarning2": "Setup could not complete this step:", "LabelWarning3": "Setup was cancelled.",
            "LabelWarning4": "Please close Tonvio Control Panel before installing.",
            "AntivirusTip": "",
            "KB3033929Tip": "Windows 7 needs update KB3033929 for the driver signature. Setup installs it.",
        },
    },
    "German": {
        "display": "Deutsch",
        "Main": {
            "LabelMenu1": "Sichern", "LabelMenu2": "Laden", "LabelMenu3": "Info",
            "LabelPageEQ": "Equalizer", "LabelPage3D": "(null)", "LabelPageEffect": "Umgebung",
            "LabelPageMic": "Mikrofon", "LabelPageVirtual7ch1": "Virtuell 7.1",
            "LabelActive": "Headset bereit", "LabelUnDriver": "Audiotreiber fehlt", "LabelUnactive": "Kein Headset gefunden",
            "LabelSync": "(null)", "LabelSetting": "Klangprofil:", "LabelSX": "S1", "LabelFeatures": "FUNKTIONEN",
            "LabelCompanyName": "Tonvio Audio", "DeviceInLabel": "Online", "DeviceOutLabel": "Offline",
            "LabelPageLED": "Beleuchtung", "LabelPageENC": "Rauschfilter", "LabelPageVMEffect": "Stimmeffekte",
            "LabelLanguage": "Sprache", "LabelSkin": "Design", "LabelClose": "Beenden", "LabelPlugin": "Erweiterungen",
            "LabelWarning": "Kein Headset angeschlossen. Bitte das Tonvio-Headset einstecken und erneut versuchen.",
            "LabelWarning1": "Dieses Headset unterstützt weder Rauschunterdrückung noch Stimmeffekte.",
        },
        "EQ": {
            "LabelEQEnable": "EQ", "LableEQ3DEnable": "3D", "LabelEQReset": "Zurück",
            "LabelEQS1": "S1", "LabelEQS2": "S2", "LabelEQS3": "S3", "LabelEQS4": "S4",
            "LabelEQ60Hz": "60 Hz", "LabelEQ300Hz": "300 Hz", "LabelEQ1200Hz": "1200 Hz", "LabelEQ3600Hz": "3600 Hz",
            "LabelEQ12000Hz": "12 kHz",
            "LabelEQ60HzValue": "400", "LabelEQ300HzValue": "400", "LabelEQ1200HzValue": "400",
            "LabelEQ3600HzValue": "400", "LabelEQ12000HzValue": "400",
        },
        "3D": {
            "Label3DEnable": "3D", "Label3DFBM": "FBM", "Label3DReset": "Zurück", "Label3DLeftChannel": "Linker Kanal",
            "Label3DRightChannel": "Rechter Kanal", "Label3DConnection": "Kopplung",
            "Label3DLBetaValue": "3", "Label3DLAlphaValue": "10", "Label3DRBetaValue": "3", "Label3DRAlphaValue": "10",
        },
        "Effect": {
            "LabelEffectNothing": "Aus", "LabelEffectTheater": "Kino", "LabelEffectBathroom": "Badezimmer",
            "LabelEffectLivingroom": "Wohnzimmer", "LabelEffectStoneGallery": "Steingalerie",
        },
        "Mic": {
            "LabelMicBoost": "Verstärkung", "LabelMicMute": "Stumm", "LabelMicMonitor": "Mithören", "LabelMicGain": "Pegel",
            "LabelMicValue": "0",
        },
        "Virtual7ch1": {
            "Label7ch1Enable": "Virtuell 7.1", "LabelVirtualClockwise": "Drehen", "LabelVirtualCounterclockwise": "Drehen",
            "LabelVirtualEnlarge": "Weiter", "LabelVirtualNarrow": "Enger", "Label7ch1Reset": "Anordnung zurück",
        },
        "LED": {
            "ColorBreatheLabel": "Atmen", "ColorRainbowLabel": "Regenbogen", "ColorPulsatingLabel": "Mehrfarbig",
            "ColorSelectLabel": "FARBE WÄHLEN", "ColorEffectLabel": "EFFEKT", "ColorLEDOffLabel": "Licht aus",
            "ColorSingleLabel": "Eine Farbe", "ColorSlowLabel": "Langsam", "ColorFastLabel": "Schnell",
        },
        "ENC": {"ENCFunctionLabel": "Rauschfilter", "LabelENCValue": "0"},
        "VoiceMagic": {
            "VMEffectNoneLabel": "Natürlich", "VMEffect1Label": "Tief", "VMEffect2Label": "Hell",
            "VMEffect3Label": "Riese", "VMEffect4Label": "Zwerg", "VMFunctionLabel": "Stimmeffekte",
        },
        "About": {"LabelAbout": "Tonvio Systemsteuerung - Klang für Ihr USB-Headset", "LabelWeb": "https://tonvio.example.com"},
        "Setup": {
            "LabelBackBtn": "< Zurück", "LabelNextBtn": "Weiter >", "LabelFinishBtn": "Fertig stellen",
            "LabelCancelBtn": "Abbrechen", "LabelSelectLang": "Sprache wählen:",
            "LabelVersion": "Sprache der Tonvio Systemsteuerung wählen", "LabelAudioExt": "Tonvio Audiosoftware für USB-Headsets",
            "LabelInstall": "Installation läuft...",
            "LabelReboot": "Zum Abschluss der Installation wird der Computer neu gestartet.",
            "LabelRebootRadioBtn": "Jetzt neu starten", "LabelNoRebootRadioBtn": "Später neu starten",
            "LabelTitle": "Tonvio Installation",
            "LabelWarning1": "Ein älterer Tonvio-Audiotreiber ist noch aktiv. Bitte Windows neu starten und die Installation erneut ausführen.",
            "LabelWarning2": "Dieser Installationsschritt ist fehlgeschlagen:", "LabelWarning3": "Die Installation wurde abgebrochen.",
            "LabelWarning4": "Bitte die Tonvio Systemsteuerung vor der Installation schließen.",
            "AntivirusTip": "",
            "KB3033929Tip": "Windows 7 braucht das Update KB3033929 für die Treibersignatur. Die Installation spielt es ein.",
        },
    },
}
