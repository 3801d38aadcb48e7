object GalleryForm: TGalleryForm
  BorderStyle = bsDialog
  Caption = 'VexoControls: botones y pesta'#241'as'
  ClientHeight = 330
  ClientWidth = 520
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object tabs: TVexoTabbed
    Left = 8
    Top = 8
    Width = 504
    Height = 250
    ActiveIndex = 0
    BorderInternal = 1
    Color = clWindow
    ParentColor = False
    TabOrder = 0
    object pageButtons: TVexoPage
      Caption = 'Botones'
      Order = 0
    end
    object pageFrames: TVexoPage
      Caption = 'Marcos'
      Order = 1
      object frameTurned: TVexoFrame
        Left = 16
        Top = 16
        Width = 120
        Height = 150
        Text = 'Texto girado'
        TextDirection = ttdBottomToUp
        TextAlignment = taCenter
        ColorFrame = clGray
        TabOrder = 0
      end
      object frameCaption: TVexoFrame
        Left = 160
        Top = 16
        Width = 300
        Height = 150
        Text = 'Marco con t'#237'tulo'
        TextVAlignment = tvaOver
        ColorFrame = clNavy
        TabOrder = 1
      end
    end
    object pageRich: TVexoPage
      Caption = 'Texto y foto'
      Order = 2
      object richText: TVexoRichEdit
        Left = 8
        Top = 8
        Width = 260
        Height = 190
        ScrollBars = ssVertical
        TabOrder = 0
      end
      object photo: TJPEGControl
        Left = 280
        Top = 8
        Width = 200
        Height = 150
      end
      object btPrint: TVexoButton
        Left = 280
        Top = 170
        Width = 100
        Height = 24
        Text = 'Imprimir'
        Mode = vbmSoft
        OnClick = btPrintClick
      end
    end
    object pageAbout: TVexoPage
      Caption = 'Acerca de'
      Order = 3
      object about: TVexoLabel
        Left = 16
        Top = 16
        Width = 300
        Height = 13
        Caption = 'Controles de VexoControls para Linux'
      end
    end
  end
  object months: TVexoTabButtons
    Left = 8
    Top = 266
    Width = 504
    Height = 22
    ActiveIndex = 0
    Items.Strings = (
      'Enero'
      'Febrero'
      'Marzo'
      'Abril'
      'Mayo'
      'Junio'
      'Julio'
      'Agosto'
      'Septiembre'
      'Octubre'
      'Noviembre'
      'Diciembre')
  end
  object btRepair: TVexoButton
    Left = 8
    Top = 298
    Width = 120
    Height = 24
    Text = 'Reparar DB...'
    Mode = vbmSoft
    OnClick = btRepairClick
  end
end
