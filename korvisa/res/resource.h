// Resource numbers of the viewer. Shared by the resource script and the code.
#pragma once

#define IDR_MAINFRAME 2620            // template string, menu, toolbar (32 x 32)
#define IDR_MAINFRAME_SMALL 2622      // toolbar (16 x 16)
#define IDB_SPLASH 2000               // gates the start-up picture
#define IDD_ABOUTBOX 2500             // version information

// Pictures of the information pages: the device each page describes.
#define IDB_DEV_INSTALLED_SOFTWARE 2006
#define IDB_DEV_SCSI_LAN 2007
#define IDB_DEV_BODY 2008
#define IDB_DEV_DISPLAY 2009
#define IDB_DEV_KEYBOARD 2010
#define IDB_DEV_MEDIA 2011
#define IDB_DEV_MEMORY 2012
#define IDB_DEV_MODEM 2013
#define IDB_DEV_MOUSE 2014
#define IDB_DEV_PORTS 2015
#define IDB_DEV_PRINTER 2016
#define IDB_DEV_SLOTS 2017
#define IDB_DEV_DMI_SOFTWARE 2018
#define IDB_DEV_USB 179
// Small pictures of the status pages.
#define IDB_STATUS_PRINTER 170
#define IDB_STATUS_MEMORY 171
#define IDB_STATUS_DISK 172
// Legend squares beside the pie chart's figures: used (first slice), free.
#define IDB_LEGEND_FREE 2001
#define IDB_LEGEND_USED 2004
// Drive tree images, each normal then selected: hard disk, floppy, CD-ROM, network.
#define IDB_TREE_HARD_DISK 200
#define IDB_TREE_HARD_DISK_OPEN 201
#define IDB_TREE_FLOPPY 202
#define IDB_TREE_FLOPPY_OPEN 203
#define IDB_TREE_CDROM 204
#define IDB_TREE_CDROM_OPEN 205
#define IDB_TREE_NETWORK 206
#define IDB_TREE_NETWORK_OPEN 207
#define IDD_KORVISA_FORM 2518         // the main window's form
#define IDC_PICTURE_TABS 1005
#define IDC_PICTURE 1025
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif

#define IDS_APP_TITLE 57344
#define IDS_IDLE_MESSAGE 57345
#define IDS_UNREG_DONE 61707
#define IDS_UNREG_FAILURE 61708
#define IDS_KEY_HELPDESK 61204
#define IDS_KEY_SCREEN 61205
#define IDS_KEY_COMMON 61210
#define IDS_KEY_NETWORK 61236

// Menu commands.
#define ID_APP_EXIT 57665
#define ID_APP_ABOUT 57664
#define ID_HELP_INDEX 57666
#define ID_HELP_FINDER 57667
#define ID_CONTEXT_HELP 57669
#define ID_DEFAULT_HELP 57671
#define ID_VIEW_TOOLBAR 59392
#define ID_VIEW_STATUS_BAR 59393
#define ID_PAGE_BODY 32773
#define ID_PAGE_MEMORY 32774
#define ID_PAGE_DISPLAY 32775
#define ID_PAGE_KEYBOARD 32776
#define ID_PAGE_MOUSE 32777
#define ID_PAGE_PRINTER 32778
#define ID_PAGE_MEDIA 32786
#define ID_PAGE_MODEM 32787
#define ID_PAGE_PORTS 32788
#define ID_PAGE_SLOTS 32789
#define ID_PAGE_SCSI_LAN 32790
#define ID_PAGE_DMI_SOFTWARE 32791
#define ID_PAGE_INSTALLED_SOFTWARE 32792
#define ID_PAGE_USB 32936
#define ID_TOOL_STATUS_MONITOR 32793
#define ID_TOOL_MIF_BROWSER 32797
#define ID_TOOL_BIOS_BROWSER 32945
#define ID_SETTINGS_MONITORING 32798
#define ID_SETTINGS_PRESERVE 32802
#define ID_NET_COMPUTER_LIST 32929
#define ID_NET_PROTOCOL 32934
#define ID_NET_PUBLISH 32795
