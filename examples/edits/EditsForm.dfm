object EditsForm: TEditsForm
  BorderStyle = bsDialog
  Caption = 'Edits'
  ClientHeight = 300
  ClientWidth = 560
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object texto: TVexoEdit
    Left = 90
    Top = 12
    Width = 160
    Height = 17
    TabOrder = 0
    Text = 'Con cien cañones por banda'
    ShowFrame = True
    Mode = sEditString
    Label = 'Texto'
  end
  object fecha: TVexoEdit
    Left = 90
    Top = 38
    Width = 160
    Height = 17
    TabOrder = 1
    Text = '05/01/2006'
    DateNavigator = True
    DateNavigatorKind = sDnkMonth
    Mode = sEditDate
    Label = 'Fecha'
  end
  object hora: TVexoEdit
    Left = 90
    Top = 64
    Width = 160
    Height = 17
    TabOrder = 2
    Text = '09:30'
    Mode = sEditTime
    Label = 'Hora'
  end
  object lista: TVexoEdit
    Left = 90
    Top = 90
    Width = 160
    Height = 17
    TabOrder = 3
    Text = 'G'
    ComboTexts.Strings = (
      'Rojo'
      'Verde'
      'Azul')
    ComboValues.Strings = (
      'R'
      'G'
      'B')
    Mode = sEditList
    Label = 'Color'
  end
  object booleano: TVexoEdit
    Left = 90
    Top = 116
    Width = 160
    Height = 17
    TabOrder = 4
    Text = 'true'
    Mode = sEditBoolean
    Label = 'Activo'
  end
  object entero: TVexoEdit
    Left = 90
    Top = 142
    Width = 160
    Height = 17
    TabOrder = 5
    Text = '40'
    Mode = sEditInteger
    Label = 'Entero'
  end
  object decimal: TVexoEdit
    Left = 90
    Top = 168
    Width = 160
    Height = 17
    TabOrder = 6
    Text = '1234,5'
    Mode = sEditDouble
    Label = 'Importe'
  end
  object memo: TVexoEdit
    Left = 90
    Top = 194
    Width = 160
    Height = 60
    TabOrder = 7
    Text = 'Con diez cañones por banda,'#10'viento en popa a toda vela,'#10'no corta el mar, sino vuela'#10'un velero bergantín.'#10'Bajel pirata que llaman,'#10'por su bravura, el Temido'
    Mode = sEditMemo
    Label = 'Memo'
  end
  object barra: TVexoScroll
    Left = 90
    Top = 266
    Width = 160
    Height = 17
    Kind = sbHorizontal
    Position = 40
    OnChange = barraChange
  end
  object marcoCalendario: TVexoFrame
    Left = 340
    Top = 12
    Width = 208
    Height = 146
    Text = 'Calendario'
    TextDirection = ttdBottomToUp
    TextAlignment = taCenter
    ColorFrame = clGray
    TabOrder = 9
    object calendario: TVexoCalendar
      Left = 32
      Top = 16
      Width = 168
      Height = 114
      TabOrder = 0
    end
  end
  object marcoDatos: TVexoFrame
    Left = 340
    Top = 176
    Width = 208
    Height = 108
    Text = 'En un marco'
    TextVAlignment = tvaOver
    ColorFrame = clNavy
    TabOrder = 10
    object nombre: TVexoEdit
      Left = 70
      Top = 28
      Width = 120
      Height = 17
      TabOrder = 0
      Text = 'El Temido'
      ShowFrame = True
      Mode = sEditString
      Label = 'Nombre'
    end
    object alta: TVexoEdit
      Left = 70
      Top = 60
      Width = 120
      Height = 17
      TabOrder = 1
      Text = '05/01/2006'
      Mode = sEditDate
      Label = 'Alta'
    end
  end
end
