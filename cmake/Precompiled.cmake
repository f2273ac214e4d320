# Most of what a file here costs to compile is Qt's headers: a screen's file spends two thirds
# of its time reading them. Each layer precompiles the Qt headers its files include most, once;
# the tests share one precompiled header per kind (non-UI, UI) instead of one each.
# -DITARNVALE_PCH=OFF builds without, which also shows a file that forgot an include.
option(ITARNVALE_PCH "Precompile the Qt headers most files include" ON)

set(ITARNVALE_PCH_CORE
  <QByteArray> <QDateTime> <QHash> <QList> <QMap> <QMutex> <QObject> <QPointer> <QSet>
  <QString> <QStringList> <QUrl> <QVariant> <functional> <memory> <optional> <vector>)
set(ITARNVALE_PCH_UI ${ITARNVALE_PCH_CORE}
  <QColor> <QEvent> <QFont> <QImage> <QPainter> <QPixmap> <QTimer> <QWidget>)

# The demo's servers and stand-ins: cpp-httplib (with OpenSSL) is most of their files' cost.
set(ITARNVALE_PCH_DEMO ${ITARNVALE_PCH_CORE} <httplib.h>)

# itarnvale_precompile(TARGET core|ui|demo): the target precompiles that set of headers.
function(itarnvale_precompile target kind)
  if(ITARNVALE_PCH)
    string(TOUPPER ${kind} upper)
    target_precompile_headers(${target} PRIVATE ${ITARNVALE_PCH_${upper}})
  endif()
endfunction()

# itarnvale_precompile_test(TARGET core|ui|keychain): the first test of a kind builds the
# precompiled header (with Qt Test), the others of that kind reuse it. Tests of one kind have the
# same definitions and include folders, which a shared precompiled header needs.
function(itarnvale_precompile_test target kind)
  if(NOT ITARNVALE_PCH)
    return()
  endif()
  get_property(donor GLOBAL PROPERTY ITARNVALE_PCH_TEST_${kind})
  if(donor)
    target_precompile_headers(${target} REUSE_FROM ${donor})
  else()
    set(headers ${ITARNVALE_PCH_CORE})
    if(kind STREQUAL "ui")
      set(headers ${ITARNVALE_PCH_UI})
    endif()
    target_precompile_headers(${target} PRIVATE ${headers} <QTest> <QSignalSpy>)
    set_property(GLOBAL PROPERTY ITARNVALE_PCH_TEST_${kind} ${target})
  endif()
endfunction()
