; The installer's last page starts the calculator through the desktop's shell. Included by
; installer.nsi, after it defines TITLE and PROGRAM and includes MultiUser.nsh ($INSTDIR is the
; installation's folder).
;
; NSIS's System plug-in calls a COM interface's method by its place in the interface's table of
; functions: '$1->15(...)' is the 16th function of the object whose pointer $1 holds. The places,
; counted from each interface's definition in Windows' headers (ShObjIDL.h, ShlDisp.h,
; ServProv.h, OAIdl.h), with the Windows API each call is:
;   every interface   0 QueryInterface, 2 Release (IUnknown)
;   IDispatch         5 GetIDsOfNames, 6 Invoke
;   IShellWindows     15 FindWindowSW
;   IServiceProvider  3 QueryService
;   IShellBrowser     15 QueryActiveShellView (after IOleWindow's 3-4 and the browser's 5-14)
;   IShellView        15 GetItemObject (after IOleWindow's 3-4 and the view's 5-14)
;   IShellDispatch2   31 ShellExecute (after IDispatch's 3-6, IShellDispatch's 7-29 and
;                     IShellDispatch2's IsRestricted, 30)
; Plain functions: ole32's CoCreateInstance, oleaut32's SysAllocString and SysFreeString; '*(...)'
; allocates a structure (System::Free releases it) and '*$X(...)' reads or writes one.

; The calculator is started by the desktop's shell (Explorer), which runs as the signed-in user
; without raised rights, and not by this installer, which an administrator runs with them. The
; path to the shell: the desktop window in the shell's list of windows (IShellWindows), its
; browser's active view (IShellBrowser, IShellView), the view's Application (IShellDispatch2),
; whose ShellExecute runs in the shell's own process. Application is read through IDispatch,
; as scripts read it. Without a shell, an installer without raised rights starts the
; calculator itself; one with them leaves it to the user.
Function StartAsSignedInUser
  System::Call 'ole32::CoCreateInstance(g "{9BA05972-F6A8-11CF-A442-00A0C90A8F39}", p 0, i 4, g "{85CB6900-4D95-11CF-960C-0080C7F4EE85}", *p .r1) i .r0'  ; CoCreateInstance(CLSID_ShellWindows, CLSCTX_LOCAL_SERVER, IID_IShellWindows)
  ${If} $0 = 0
    System::Call '*(&l24) p .r2'  ; an empty VARIANT
    System::Call '$1->15(p r2, p r2, i 8, *i .r3, i 1, *p .r4) i .r0'  ; IShellWindows::FindWindowSW(SWC_DESKTOP, SWFO_NEEDDISPATCH)
    ${If} $0 = 0
      System::Call '$4->0(g "{6D5140C1-7436-11CE-8034-00AA006009FA}", *p .r5) i .r0'  ; IDispatch::QueryInterface(IID_IServiceProvider)
      ${If} $0 = 0
        System::Call '$5->3(g "{4C96BE40-915C-11CF-99D3-00AA004AE837}", g "{000214E2-0000-0000-C000-000000000046}", *p .r6) i .r0'  ; IServiceProvider::QueryService(SID_STopLevelBrowser, IID_IShellBrowser)
        ${If} $0 = 0
          System::Call '$6->15(*p .r7) i .r0'  ; IShellBrowser::QueryActiveShellView
          ${If} $0 = 0
            System::Call '$7->15(i 0, g "{00020400-0000-0000-C000-000000000046}", *p .r8) i .r0'  ; IShellView::GetItemObject(SVGIO_BACKGROUND, IID_IDispatch)
            ${If} $0 = 0
              Call StartThroughView
              System::Call '$8->2()'  ; IDispatch::Release
            ${EndIf}
            System::Call '$7->2()'  ; IShellView::Release
          ${EndIf}
          System::Call '$6->2()'  ; IShellBrowser::Release
        ${EndIf}
        System::Call '$5->2()'  ; IServiceProvider::Release
      ${EndIf}
      System::Call '$4->2()'  ; IDispatch::Release (the desktop window's)
    ${EndIf}
    System::Free $2
    System::Call '$1->2()'  ; IShellWindows::Release
  ${EndIf}
  ${If} $0 != 0
    ${If} $MultiUser.Privileges != "Admin"
      Exec '"$INSTDIR\${PROGRAM}"'
    ${Else}
      MessageBox MB_OK|MB_ICONINFORMATION "请从「开始」菜单启动${TITLE}。"
    ${EndIf}
  ${EndIf}
FunctionEnd

; $8: the view's IDispatch. Sets $0 to 0 once the shell has started the calculator.
Function StartThroughView
  System::Call 'oleaut32::SysAllocString(w "Application") p .r9'
  System::Call '*(p r9) p .R0'
  System::Call '$8->5(g "{00000000-0000-0000-0000-000000000000}", p R0, i 1, i 0, *i .R1) i .r0'  ; IDispatch::GetIDsOfNames("Application")
  System::Free $R0
  System::Call 'oleaut32::SysFreeString(p r9)'
  ${If} $0 != 0
    Return
  ${EndIf}
  System::Call '*(&l24) p .R2'  ; no arguments
  System::Call '*(&l24) p .R3'  ; the result
  System::Call '$8->6(i R1, g "{00000000-0000-0000-0000-000000000000}", i 0, i 2, p R2, p R3, p 0, p 0) i .r0'  ; IDispatch::Invoke(DISPATCH_PROPERTYGET)
  System::Call '*$R3(&i2 .R4)'  ; its type
  IntOp $R5 $R3 + 8
  System::Call '*$R5(p .R5)'  ; its value
  ${If} $0 = 0
  ${AndIf} $R4 = 9  ; VT_DISPATCH
    System::Call '$R5->0(g "{A4C6892C-3BA9-11D2-9DEA-00C04FB16162}", *p .R6) i .r0'  ; IDispatch::QueryInterface(IID_IShellDispatch2)
    ${If} $0 = 0
      System::Call 'oleaut32::SysAllocString(w "$INSTDIR\${PROGRAM}") p .R7'
      System::Call '*(&l24) p .R8'
      System::Call '*$R8(&i2 3)'  ; VT_I4
      IntOp $R9 $R8 + 8
      System::Call '*$R9(i 1)'  ; SW_SHOWNORMAL
      ; IShellDispatch2::ShellExecute(file, arguments, folder, verb, show): a VARIANT goes by
      ; address on x64.
      System::Call '$R6->31(p R7, p R2, p R2, p R2, p R8) i .r0'
      System::Free $R8
      System::Call 'oleaut32::SysFreeString(p R7)'
      System::Call '$R6->2()'  ; IShellDispatch2::Release
    ${EndIf}
    System::Call '$R5->2()'  ; IDispatch::Release (Application's)
  ${ElseIf} $0 = 0
    StrCpy $0 1
  ${EndIf}
  System::Free $R2
  System::Free $R3
FunctionEnd
