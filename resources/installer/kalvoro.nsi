; Kalvoro installer: per user, no administrator rights. The program keeps its settings and data
; beside itself, so it is installed into a folder the user can write, and upgrades and uninstalls
; leave the user's data files alone unless the user asks otherwise.
;
; Built by scripts/package.sh, which defines:
;   VERSION      the program's version, e.g. 3.7.8
;   APP_DIR      the assembled application folder
;   FILES_NSH    generated lists of the program files (macros KalvoroInstallProgramFiles,
;                KalvoroInstallDataFiles, KalvoroRemoveProgramFiles)
;   OUT_FILE     the installer to write
;   SOURCE_ROOT  the repository, for the icon
;
; Switches: /S silent; /D=<folder> (last, unquoted) the folder; /AUTOSTART silently adds the
; start-with-Windows entry. Uninstaller: /S silent, keeping the data; /REMOVEDATA removes it too.

; The program is 64-bit only, and so is its installer (no 32-bit Wine needed to test it).
Target amd64-unicode
ManifestDPIAware true
SetCompressor /SOLID lzma

!macro KalvoroRequire name
    !ifndef ${name}
        !error "${name} is not defined: build the installer with scripts/package.sh"
    !endif
!macroend
!insertmacro KalvoroRequire VERSION
!insertmacro KalvoroRequire APP_DIR
!insertmacro KalvoroRequire FILES_NSH
!insertmacro KalvoroRequire OUT_FILE
!insertmacro KalvoroRequire SOURCE_ROOT

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include "${FILES_NSH}"

!define PRODUCT "Kalvoro"
!define BAR_CLASS "TFrmLED"
!define POPUP_CLASS "KalvoroSablewin"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kalvoro"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Kalvoro"
!define START_MENU "$SMPROGRAMS\Kalvoro"

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} 安装"
UninstallCaption "${PRODUCT} ${VERSION} 卸载"
OutFile "${OUT_FILE}"
InstallDir "$LOCALAPPDATA\Programs\Kalvoro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=2052 "LegalCopyright" "${PRODUCT}"

!define MUI_ICON "${SOURCE_ROOT}/resources/icons/kalvoro.ico"
!define MUI_UNICON "${SOURCE_ROOT}/resources/icons/kalvoro.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TITLE "欢迎安装 ${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "${PRODUCT} 是一款中文桌面时钟：LED 时间条、农历月历、日历标记、定时任务、整点报时、网络校时和指针时钟。$\r$\n$\r$\n本程序只为当前用户安装，不需要管理员权限。设置和数据保存在程序文件夹中，升级时原样保留。$\r$\n$\r$\n如果 ${PRODUCT} 正在运行，安装程序会先关闭它，安装完成后再启动它。$\r$\n$\r$\n单击“下一步”继续。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} 把设置、日历标记和定时任务保存在程序文件夹中，所以必须安装到您可以写入的文件夹。默认的文件夹只属于您自己的账户。"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Kalvoro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "运行 ${PRODUCT}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\KalvoroHelp.chm"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "查看帮助"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

Var WasRunning      ; a bar was closed before copying (1 showing, 2 in the tray) and is started again afterwards
Var RemoveData      ; uninstaller: remove the user's data files too

; ---------------------------------------------------------------------------------------------
; Shared by installer and uninstaller.

; Closes a running bar (and the popup program it leaves behind) so that its files can be
; replaced; $0 is 1 when a bar was running and showing, 2 when it was hidden in the tray.
!macro CloseRunningKalvoro un
Function ${un}CloseRunningKalvoro
    Push $1
    Push $2
    StrCpy $0 0
    FindWindow $1 "${BAR_CLASS}" ""
    ${If} $1 <> 0
        System::Call 'user32::IsWindowVisible(p r1) i .r2'
        ${If} $2 <> 0
            StrCpy $0 1
        ${Else}
            StrCpy $0 2
        ${EndIf}
        DetailPrint "正在关闭运行中的 ${PRODUCT}..."
        ; Closing fades the windows out and saves the bar's position: allow it time.
        StrCpy $2 0
        ${Do}
            FindWindow $1 "${BAR_CLASS}" ""
            ${If} $1 = 0
                ${Break}
            ${EndIf}
            ${If} $2 = 0
            ${OrIf} $2 = 50
                SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
            ${EndIf}
            Sleep 100
            IntOp $2 $2 + 1
        ${LoopUntil} $2 >= 150
    ${EndIf}
    ; The popup program goes away with the bar; one left over is closed too.
    StrCpy $2 0
    ${Do}
        FindWindow $1 "${POPUP_CLASS}" ""
        ${If} $1 = 0
            ${Break}
        ${EndIf}
        ${If} $2 = 20
            SendMessage $1 ${WM_CLOSE} 0 0 /TIMEOUT=5000
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${LoopUntil} $2 >= 80
    FindWindow $1 "${BAR_CLASS}" ""
    ${If} $1 <> 0
        MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} 没有退出，文件可能无法替换。请从托盘菜单中选择“退出”，然后单击“确定”。" /SD IDOK
    ${EndIf}
    Pop $2
    Pop $1
FunctionEnd
!macroend
!insertmacro CloseRunningKalvoro ""
!insertmacro CloseRunningKalvoro "un."

; ---------------------------------------------------------------------------------------------
; Installer.

; $0 := 1 when the current user can create files in $INSTDIR (creating the folder when needed).
Function CheckWritable
    Push $1
    Push $2
    StrCpy $0 0
    StrCpy $2 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        ClearErrors
        CreateDirectory "$INSTDIR"
        ${If} ${Errors}
            Goto done
        ${EndIf}
        StrCpy $2 1
    ${EndIf}
    ClearErrors
    FileOpen $1 "$INSTDIR\Kalvoro-write-test.tmp" w
    ${IfNot} ${Errors}
        FileClose $1
        Delete "$INSTDIR\Kalvoro-write-test.tmp"
        StrCpy $0 1
    ${EndIf}
    ; A folder made only for the test is not left behind when the user picks another.
    ${If} $2 = 1
        RMDir "$INSTDIR"
    ${EndIf}
done:
    Pop $2
    Pop $1
FunctionEnd

Function ExplainNotWritable
    MessageBox MB_OK|MB_ICONSTOP "无法安装到这个文件夹：$\r$\n$INSTDIR$\r$\n$\r$\n您没有在这里创建文件的权限。${PRODUCT} 把设置和数据保存在程序文件夹中，必须安装到您可以写入的文件夹，例如：$\r$\n$LOCALAPPDATA\Programs\Kalvoro$\r$\n$\r$\n请另选一个文件夹。" /SD IDOK
FunctionEnd

; $0 := the folder given with "/D=" on the command line, or "" when there is none. The installer
; ignores a /D= folder it finds unusable (a missing drive, a file in the path) and would quietly
; take the default instead; a silent install must refuse it like any folder it cannot write.
Function RequestedFolder
    Push $1
    Push $2
    Push $3
    Push $4
    StrCpy $0 ""
    System::Call 'kernel32::GetCommandLineW() t .r1'
    StrLen $3 $1
    StrCpy $2 0
    ${Do}
        ${If} $2 >= $3
            ${Break}
        ${EndIf}
        StrCpy $4 $1 4 $2
        ${If} $4 == " /D="
            IntOp $2 $2 + 4
            StrCpy $0 $1 "" $2
            ${Break}
        ${EndIf}
        IntOp $2 $2 + 1
    ${Loop}
    Pop $4
    Pop $3
    Pop $2
    Pop $1
FunctionEnd

Function DirectoryLeave
    Call CheckWritable
    ${If} $0 = 0
        Call ExplainNotWritable
        Abort
    ${EndIf}
FunctionEnd

Section "${PRODUCT}（必需）" SecProgram
    SectionIn RO
    Call CloseRunningKalvoro
    StrCpy $WasRunning $0

    SetOutPath "$INSTDIR"
    SetOverwrite on
    !insertmacro KalvoroInstallProgramFiles
    ; The user's settings and data: written only where missing, so an upgrade keeps them.
    SetOverwrite off
    !insertmacro KalvoroInstallDataFiles
    SetOverwrite on

    WriteUninstaller "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Kalvoro.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "开始菜单快捷方式" SecShortcuts
    SetShellVarContext current
    CreateDirectory "${START_MENU}"
    CreateShortcut "${START_MENU}\${PRODUCT}.lnk" "$INSTDIR\Kalvoro.exe" "" "$INSTDIR\Kalvoro.exe" 0
    CreateShortcut "${START_MENU}\${PRODUCT} 帮助.lnk" "$INSTDIR\KalvoroHelp.chm"
    CreateShortcut "${START_MENU}\卸载 ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
SectionEnd

Section /o "Windows 启动时运行" SecAutoStart
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\Kalvoro.exe" /hide'
SectionEnd

Section "-finish"
    ; Unticking the entry on an upgrade removes a start entry that points here.
    ${IfNot} ${SectionIsSelected} ${SecAutoStart}
        ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
        StrCpy $1 '"$INSTDIR\Kalvoro.exe"'
        StrLen $2 $1
        StrCpy $0 $0 $2
        ${If} $0 == $1
            DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
        ${EndIf}
    ${EndIf}
    ${If} $WasRunning = 1
        DetailPrint "正在重新启动 ${PRODUCT}..."
        Exec '"$INSTDIR\Kalvoro.exe"'
    ${ElseIf} $WasRunning = 2
        ; It was in the tray: started the way log-on starts it, it goes back there.
        DetailPrint "正在重新启动 ${PRODUCT}..."
        Exec '"$INSTDIR\Kalvoro.exe" /hide'
    ${EndIf}
SectionEnd

Function .onInit
    ; An existing start entry stays ticked on an upgrade.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 != ""
        !insertmacro SelectSection ${SecAutoStart}
    ${EndIf}
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/AUTOSTART" $2
    ${IfNot} ${Errors}
        !insertmacro SelectSection ${SecAutoStart}
    ${EndIf}
    ; Without pages the folder (default or /D=) is checked here.
    ${If} ${Silent}
        Call RequestedFolder
        ${If} $0 != ""
        ${AndIf} $0 != $INSTDIR
            StrCpy $INSTDIR $0
            StrCpy $0 0
        ${Else}
            Call CheckWritable
        ${EndIf}
        ${If} $0 = 0
            Call ExplainNotWritable
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
FunctionEnd

; ---------------------------------------------------------------------------------------------
; Uninstaller.

Function un.onInit
    StrCpy $RemoveData 0
    ${GetParameters} $1
    ClearErrors
    ${GetOptions} $1 "/REMOVEDATA" $2
    ${IfNot} ${Errors}
        StrCpy $RemoveData 1
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.CloseRunningKalvoro

    !insertmacro KalvoroRemoveProgramFiles
    Delete "$INSTDIR\SkinDone.tmp"
    Delete "$INSTDIR\Uninstall.exe"

    SetShellVarContext current
    Delete "${START_MENU}\${PRODUCT}.lnk"
    Delete "${START_MENU}\${PRODUCT} 帮助.lnk"
    Delete "${START_MENU}\卸载 ${PRODUCT}.lnk"
    RMDir "${START_MENU}"

    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    StrCpy $1 '"$INSTDIR\Kalvoro.exe"'
    StrLen $2 $1
    StrCpy $0 $0 $2
    ${If} $0 == $1
        DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; The user's data: asked in the dialog; kept in silent mode unless /REMOVEDATA was given.
    ${IfNot} ${Silent}
        MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "是否同时删除您的设置和数据？$\r$\n$\r$\n设置 (skin.ini)、日历标记 (Marks.rec)、定时任务 (War.lst)、校时记录 (TimeCheck.lst) 和 Sup 文件夹。$\r$\n$\r$\n选择“否”保留它们，以后重新安装到同一文件夹即可继续使用。" IDNO keep
        StrCpy $RemoveData 1
    keep:
    ${EndIf}
    ${If} $RemoveData = 1
        Delete "$INSTDIR\skin.ini"
        Delete "$INSTDIR\Marks.rec"
        Delete "$INSTDIR\War.lst"
        Delete "$INSTDIR\TimeCheck.lst"
        RMDir /r "$INSTDIR\Sup"
    ${Else}
        DetailPrint "已保留您的设置和数据：$INSTDIR"
    ${EndIf}
    ; The folder goes only when nothing of the user's is left in it.
    RMDir "$INSTDIR"
SectionEnd
