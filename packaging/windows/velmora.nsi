; Velmora's installer: per user, no administrator asked for. scripts/windows gives VERSION,
; SOURCE (the program folder), ICON and OUTFILE.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define APP "Velmora"
!define SHORTCUT "Velmora 歌词本"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define LYRIC_CLASS "Velmora.lrc"

Name "${SHORTCUT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\velmora.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is taken where the system's language is none of them.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"
!insertmacro MUI_LANGUAGE "English"

LangString ProgramSection ${LANG_SIMPCHINESE} "Velmora 歌词本（必需）"
LangString ProgramSection ${LANG_TRADCHINESE} "Velmora 歌詞本（必需）"
LangString ProgramSection ${LANG_ENGLISH} "Velmora lyric book (required)"
LangString DesktopSection ${LANG_SIMPCHINESE} "桌面快捷方式"
LangString DesktopSection ${LANG_TRADCHINESE} "桌面捷徑"
LangString DesktopSection ${LANG_ENGLISH} "Desktop shortcut"
LangString LyricFile ${LANG_SIMPCHINESE} "LRC 歌词文件"
LangString LyricFile ${LANG_TRADCHINESE} "LRC 歌詞檔"
LangString LyricFile ${LANG_ENGLISH} "LRC lyric file"

; The program without temp\ and finished\: an installed copy keeps its runs in
; %LOCALAPPDATA%\Velmora and its books in 文档\Velmora, which the uninstaller leaves alone.
Section "!$(ProgramSection)" Program
    SectionIn RO
    SetOutPath "$INSTDIR"
    File /r /x temp /x finished "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${SHORTCUT}.lnk" "$INSTDIR\velmora.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${SHORTCUT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Velmora"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\velmora.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

    ; Offered for .lrc files under 打开方式, never taking them over.
    WriteRegStr HKCU "Software\Classes\${LYRIC_CLASS}" "" "$(LyricFile)"
    WriteRegStr HKCU "Software\Classes\${LYRIC_CLASS}\shell\open\command" "" '"$INSTDIR\velmora.exe" "%1"'
    WriteRegStr HKCU "Software\Classes\.lrc\OpenWithProgids" "${LYRIC_CLASS}" ""
    WriteRegStr HKCU "Software\Classes\Applications\velmora.exe\SupportedTypes" ".lrc" ""
SectionEnd

Section /o "$(DesktopSection)" Desktop
    CreateShortcut "$DESKTOP\${SHORTCUT}.lnk" "$INSTDIR\velmora.exe"
SectionEnd

; What the installer put there, and nothing else: the user's runs and books stay.
Section "Uninstall"
    Delete "$SMPROGRAMS\${SHORTCUT}.lnk"
    Delete "$DESKTOP\${SHORTCUT}.lnk"
    RMDir /r "$INSTDIR\template"
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\imageformats"
    RMDir /r "$INSTDIR\opencc"
    RMDir /r "$INSTDIR\translations"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\velmora.exe"
    Delete "$INSTDIR\7za.exe"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\Classes\${LYRIC_CLASS}"
    DeleteRegValue HKCU "Software\Classes\.lrc\OpenWithProgids" "${LYRIC_CLASS}"
    DeleteRegKey HKCU "Software\Classes\Applications\velmora.exe"
SectionEnd
